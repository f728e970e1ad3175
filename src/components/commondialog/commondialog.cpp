#include "commondialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpression>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QMessageBox>
#include <memory>

namespace CommonDialog {
namespace {

// A small dialog is made wide enough for its title: a window manager cuts a title that does not
// fit ("Table ... ibutes"), and the title names what the dialog is for. Title bars use a bold
// face, and the frame's icon and buttons take about as much as thirty letters.
void showsWholeTitle(QDialog* dialog)
{
    QFont bold = QApplication::font(dialog);
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int needed = metrics.horizontalAdvance(dialog->windowTitle()) + metrics.averageCharWidth() * 30;
    if (dialog->sizeHint().width() < needed && dialog->minimumWidth() < needed)
        dialog->setMinimumWidth(needed);
}

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The interactive provider keeps the filter index and the folder between uses, as one shared
// dialog does.
class InteractiveProvider : public Provider {
public:
    void setStartFolder(const QString& folder) { m_startFolder = folder; }

    Answer message(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
                   Icon icon) override
    {
        QMessageBox box(messageIcon(icon), title, text, standardButtons(buttons), parent);
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
    }

    FileAnswer openFile(QWidget* parent, const FileRequest& request) override
    {
        return run(parent, request, QFileDialog::AcceptOpen);
    }

    FileAnswer saveFile(QWidget* parent, const FileRequest& request) override
    {
        return run(parent, request, QFileDialog::AcceptSave);
    }

    int exec(QDialog* dialog) override
    {
        showsWholeTitle(dialog);
        return dialog->exec();
    }

    PrintAnswer print(QWidget* parent, const PrintRequest& request, QPrinter* printer) override
    {
        printer->setCopyCount(request.copies);
        printer->setFromTo(request.fromPage, request.toPage);
        printer->setPageOrientation(request.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
        printer->setPrintRange(QPrinter::AllPages);
        QPrintDialog dialog(printer, parent);
        dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(request.minPage, request.maxPage);
        PrintAnswer answer;
        if (dialog.exec() != QDialog::Accepted)
            return answer;
        answer.accepted = true;
        answer.pageRange = printer->printRange() == QPrinter::PageRange;
        answer.fromPage = printer->fromPage();
        answer.toPage = printer->toPage();
        answer.copies = std::max(1, printer->copyCount());
        printer->setCopyCount(1);  // the program prints the copies itself
        return answer;
    }

    void printSetup(QWidget* parent, QPrinter* printer) override
    {
        QPageSetupDialog dialog(printer, parent);
        dialog.exec();
    }

    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override
    {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    }

private:
    FileAnswer run(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
        if (request.filterIndex > 0)
            m_filterIndex = request.filterIndex;
        FileRequest shown = request;
        if (shown.initialFolder.isEmpty())
            shown.initialFolder = m_folder.isEmpty() ? m_startFolder : m_folder;
        setUpFileDialog(dialog, shown, m_filterIndex);
        const QStringList filters = dialog.nameFilters();
        FileAnswer answer;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return answer;
        answer.accepted = true;
        answer.fileName = dialog.selectedFiles().constFirst();
        answer.filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
        m_filterIndex = answer.filterIndex;
        m_folder = QFileInfo(answer.fileName).absolutePath();
        return answer;
    }

    int m_filterIndex = 1;
    QString m_startFolder;
    QString m_folder;  // where the last file was chosen
};

Provider* g_replacement = nullptr;

InteractiveProvider& interactiveProvider()
{
    static InteractiveProvider interactive;
    return interactive;
}

}  // namespace

Provider& provider() { return g_replacement ? *g_replacement : interactiveProvider(); }

void setStartFolder(const QString& folder) { interactiveProvider().setStartFolder(folder); }

void setProvider(Provider* replacement) { g_replacement = replacement; }

QStringList qtFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts.at(i).trimmed();
        // Qt reads the patterns from the last parentheses of the entry, so they go there, and
        // patterns the description already shows in parentheses would stand twice.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QString typeExtension(const QString& filter, int filterIndex)
{
    static const QRegularExpression extension(QStringLiteral("^\\*\\.(\\w+)$"));
    if (filterIndex < 1)
        return QString();
    const QString first = filter.split(QLatin1Char('|')).value(2 * filterIndex - 1).section(QLatin1Char(';'), 0, 0);
    const QRegularExpressionMatch match = extension.match(first.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

int typeIndex(const QString& filter, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    const int entries = int(filter.count(QLatin1Char('|')) + 1) / 2;
    for (int index = 1; index <= entries && !suffix.isEmpty(); ++index)
        if (typeExtension(filter, index).compare(suffix, Qt::CaseInsensitive) == 0)
            return index;
    return 0;
}

bool hasOwnExtension(const QString& name)
{
    static const QRegularExpression extension(QStringLiteral("^[A-Za-z0-9]*[A-Za-z][A-Za-z0-9]*$"));
    const QString suffix = QFileInfo(name).suffix();
    return suffix.size() <= 5 && extension.match(suffix).hasMatch();
}

void setUpFileDialog(QFileDialog& dialog, const FileRequest& request, int filterIndex)
{
    dialog.setWindowTitle(request.title);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    const QStringList filters = qtFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    if (!request.defaultExtension.isEmpty()) {
        // A name typed without an extension gets the one of the file type the dialog shows, so
        // the file is written in the format the user chose, under a name that says so. Qt swaps
        // what it takes for the name's extension when the type changes; a name like "Letter to
        // Dr. Lee" has no extension of its own and keeps its words.
        auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto typed = std::make_shared<QString>();
        if (nameEdit)
            QObject::connect(nameEdit, &QLineEdit::textEdited, &dialog, [typed](const QString& text) { *typed = text; });
        const auto followType = [&dialog, nameEdit, typed, filters, all = request.filter](const QString& shown) {
            if (const QString extension = typeExtension(all, int(filters.indexOf(shown)) + 1); !extension.isEmpty())
                dialog.setDefaultSuffix(extension);
            if (nameEdit && !typed->isEmpty() && nameEdit->text() != *typed && !hasOwnExtension(*typed))
                nameEdit->setText(*typed);
        };
        if (filterIndex >= 1 && filterIndex <= filters.size())
            followType(filters.at(filterIndex - 1));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followType);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

QString defaultTitle() { return QApplication::applicationName(); }

}  // namespace CommonDialog
