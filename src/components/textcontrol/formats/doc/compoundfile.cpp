#include "compoundfile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

namespace CompoundFile {
namespace {
constexpr gsf_off_t MaxStreamSize = 512 * 1024 * 1024;

void initialise()
{
    static const bool initialised = [] {
        gsf_init();
        return true;
    }();
    Q_UNUSED(initialised);
}

}  // namespace

bool read(const QByteArray& bytes, QHash<QString, QByteArray>& streams)
{
    initialise();
    GsfInput* input = gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.constData()), bytes.size(), FALSE);
    if (!input)
        return false;
    GError* error = nullptr;
    GsfInfile* ole = gsf_infile_msole_new(input, &error);
    g_object_unref(input);
    if (!ole) {
        if (error)
            g_error_free(error);
        return false;
    }
    const int children = gsf_infile_num_children(ole);
    for (int i = 0; i < children; ++i) {
        GsfInput* stream = gsf_infile_child_by_index(ole, i);
        if (!stream)
            continue;
        const gsf_off_t size = gsf_input_size(stream);
        const char* name = gsf_infile_name_by_index(ole, i);
        if (name && size >= 0 && size <= MaxStreamSize) {
            QByteArray data(qsizetype(size), Qt::Uninitialized);
            if (size == 0 || gsf_input_read(stream, size_t(size), reinterpret_cast<guint8*>(data.data())))
                streams.insert(QString::fromUtf8(name), data);
        }
        g_object_unref(stream);
    }
    g_object_unref(ole);
    return true;
}

QByteArray write(const QList<QPair<QString, QByteArray>>& streams, const QByteArray& classId)
{
    initialise();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(memory);
    if (!ole) {
        g_object_unref(memory);
        return {};
    }
    if (classId.size() == 16)
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(ole), reinterpret_cast<const guint8*>(classId.constData()));
    bool ok = true;
    for (const auto& [name, data] : streams) {
        GsfOutput* stream = gsf_outfile_new_child(ole, name.toUtf8().constData(), FALSE);
        if (!stream) {
            ok = false;
            break;
        }
        if (!data.isEmpty())
            ok = gsf_output_write(stream, size_t(data.size()), reinterpret_cast<const guint8*>(data.constData())) && ok;
        ok = gsf_output_close(stream) && ok;
        g_object_unref(stream);
    }
    ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    g_object_unref(ole);
    QByteArray bytes;
    if (ok) {
        const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
        bytes = QByteArray(reinterpret_cast<const char*>(data), qsizetype(gsf_output_size(memory)));
    }
    g_object_unref(memory);  // closed with the compound file
    return bytes;
}

}  // namespace CompoundFile
