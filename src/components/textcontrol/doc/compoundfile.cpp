#include "compoundfile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>

namespace CompoundFile {
namespace {
constexpr gsf_off_t MaxStreamSize = 512 * 1024 * 1024;
}

bool read(const QByteArray& bytes, QHash<QString, QByteArray>& streams)
{
    static const bool initialised = [] {
        gsf_init();
        return true;
    }();
    Q_UNUSED(initialised);
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

}  // namespace CompoundFile
