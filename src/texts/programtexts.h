#pragma once
// Every caption and message the program shows (the menus are in menutexts.h).
#include <QString>

namespace Texts {

inline const QString MainCaption = QStringLiteral("Scrivora");
inline const QString UntitledPrefix = QStringLiteral("Untitled:");
inline const QString Untitled = QStringLiteral("Untitled");

// Closing a modified window.
inline QString textChanged(const QString& caption)
{
    return QStringLiteral("The text in [") + caption
        + QStringLiteral("] has changed.\r\nDo you want to save the changes?");
}

// Failures of file, print and image routines, each followed by the path or error.
inline const QString CantOpenFile = QStringLiteral("Can't open file: ");
inline const QString CantLoadFile = QStringLiteral("Can't load file: ");
inline const QString CantSaveFile = QStringLiteral("Can't save file: ");
inline const QString CantImportFile = QStringLiteral("Can't import file: ");
inline const QString WrongFileType = QStringLiteral("Wrong file type: ");

// Opening documents.
inline const QString OpenTitle = QStringLiteral("Open file");
// "All documents" first and chosen: every kind of file Open reads, so no folder looks empty.
inline const QString OpenFilter = QStringLiteral(
    "All documents|*.rtf;*.htm;*.html;*.txt;*.doc;*.docx;*.tx;*.txm|"
    "Rich Text Format (*.rtf)|*.rtf|Hypertext Markup Language (*.htm)|*.htm|"
    "Text Documents (*.txt)|*.txt|Word Documents (*.doc)|*.doc|Templates (*.tx)|*.tx|"
    "Word 2007 Document (*.docx)|*.docx");
inline const QString FileOpenedTitle = QStringLiteral("File Opened");
inline const QString FileAlreadyOpen = QStringLiteral("This file is already open.");
inline const QString FileNotFoundTitle = QStringLiteral("File Not Found");
inline const QString FileNotFound =
    QStringLiteral("File not found. It may have been deleted or moved.");
inline const QString InvalidImagePath = QStringLiteral("Invalid image path: ");
inline const QString ViewerTitle = QStringLiteral("Viewer");

// Inserting a text file.
inline const QString InsertTextTitle = QStringLiteral("Insert Text");
inline const QString InsertTextFilter = QStringLiteral("Text (*.txt)|*.txt|RTF Format (*.rtf)|*.rtf");

// Save As dialog.
inline const QString SaveAsTitle = QStringLiteral("Save As");
inline const QString SaveFilter = QStringLiteral(
    "Rich Text Format (*.rtf)|*.rtf|Hypertext Markup Language(*.htm, *.html)|*.htm|"
    "Text Document (*.txt)|*.txt|Word Document (*.doc)|*.doc|Template (*.tx)|*.tx|"
    "Word 2007 Document (*.docx)|*.docx");
inline const QString DocumentsFolder = QStringLiteral("Documents");

// Tool bar.
inline const QString ZoomLabel = QStringLiteral("Zoom");
inline const QString PageWidthEntry = QStringLiteral("Page Width");
inline const QString WholePageEntry = QStringLiteral("Whole Page");
inline const QString ToolTips[10] = {
    QStringLiteral("New"),   QStringLiteral("Open"),  QStringLiteral("Save"),
    QStringLiteral("Cut"),   QStringLiteral("Copy"),  QStringLiteral("Paste"),
    QStringLiteral("Print"), QStringLiteral("Print Preview"), QStringLiteral("Help"),
    QStringLiteral("Spell Check")};

// Tables.
inline const QString TableDialogTitle = QStringLiteral("Table Attributes");
inline const QString TableRows = QStringLiteral("Rows:");
inline const QString TableColumns = QStringLiteral("Columns:");
inline const QString Ok = QStringLiteral("Ok");
inline const QString Cancel = QStringLiteral("Cancel");

// Paragraph frames.
inline const QString FramesDialogTitle = QStringLiteral("Paragraph Frames");
inline const QString FrameParts = QStringLiteral("Parts:");
inline const QString FrameStyles = QStringLiteral("Styles:");
inline const QString FrameLeft = QStringLiteral("&Left");
inline const QString FrameRight = QStringLiteral("&Right");
inline const QString FrameTop = QStringLiteral("&Top");
inline const QString FrameBottom = QStringLiteral("&Bottom");
inline const QString FrameTabLines = QStringLiteral("T&ab Lines");
inline const QString FrameDoubleLines = QStringLiteral("&Double Lines");
inline const QString FrameConnected = QStringLiteral("Connected &Frames");
inline const QString FrameLineWidth = QStringLiteral("&Line Width:");
inline const QString FrameTextDistance = QStringLiteral("&Text Distance:");
inline const QString PointsSuffix = QStringLiteral(" pt");

// Image attributes.
inline const QString ImageDialogTitle = QStringLiteral("Image Attributes");
inline const QString ImageBorders = QStringLiteral("Image Borders");
inline const QString ImageOptions = QStringLiteral("Options");
inline const QString ImageBorderLabels[4] = {QStringLiteral("&Left:"), QStringLiteral("&Top:"),
                                             QStringLiteral("&Right:"), QStringLiteral("&Bottom:")};
inline const QString FastDisplay = QStringLiteral("&Fast Display");
inline const QString SaveAsData = QStringLiteral("&Save As Data");
inline const QString UnitInch = QStringLiteral("inch");
inline const QString UnitCm = QStringLiteral("cm");
inline const QString InsertImageTitle = QStringLiteral("Insert Image");
inline const QString CannotInsertImage = QStringLiteral("Cannot Insert image: ");
inline const QString ErrorWord = QStringLiteral(". Error ");

// Insert Date.
inline const QString InsertDateTitle = QStringLiteral("Insert Date");
inline const QString AvailableFormats = QStringLiteral("Available Formats");
inline const QString CancelWithKey = QStringLiteral("&Cancel");

// Spelling as you type.
inline const QString NoSuggestions = QStringLiteral("(no suggestions)");
inline const QString AddToDictionary = QStringLiteral("Add to Dictionary");

// Signature.
inline const QString SignaturePrompt = QStringLiteral("Please Sign on the Signature Capture Tablet.");
inline const QString SignatureTitle = QStringLiteral("Signature Capture");

// Measurement units.
inline const QString InternalErrorDlgString2Twips = QStringLiteral("Internal Error in DlgString2Twips()");
inline const QString InternalErrorTwips2DlgString = QStringLiteral("Internal Error in Twips2DlgString()");

// Page setup.
inline const QString PageSetupTitle = QStringLiteral("Page Setup");
inline const QString PaperFrame = QStringLiteral("&Paper");
inline const QString MarginsFrame = QStringLiteral("Page Margins");
inline const QString WidthLabel = QStringLiteral("&Width:");
inline const QString HeightLabel = QStringLiteral("&Height:");
inline const QString LeftLabel = QStringLiteral("&Left:");
inline const QString TopLabel = QStringLiteral("&Top:");
inline const QString RightLabel = QStringLiteral("&Right:");
inline const QString BottomLabel = QStringLiteral("&Bottom:");
inline const QString InchUnit = QStringLiteral("in.");
inline const QString Portrait = QStringLiteral("Portrait");
inline const QString Landscape = QStringLiteral("Landscape");
inline const QString UserDefinedPaper = QStringLiteral("User Defined");

// Printing and print preview.
inline const QString PrintErrorHeading = QStringLiteral("A Print Error has been Encountered:");
inline QString printError(int number, const QString& description)
{
    return PrintErrorHeading + QStringLiteral("\r\nError ") + QString::number(number) + QStringLiteral(" (")
        + description + QLatin1Char(')');
}
inline const QString PrinterErrorDescription = QStringLiteral("Printer error");
// What the user can do, on its own paragraph after the error.
inline const QString NoPrinterAdvice = QStringLiteral(
    "No printer is set up on this computer. Ask the practice's administrator to set one up, "
    "or choose File > Export as PDF to write the pages to a file.");
inline const QString PrinterAdvice = QStringLiteral(
    "Check that the printer is switched on, connected and has paper, then print again, "
    "or choose File > Export as PDF to write the pages to a file.");
inline QString printErrorWithAdvice(int number, const QString& description, const QString& advice)
{
    return printError(number, description) + QStringLiteral("\r\n\r\n") + advice;
}
inline const QString PrintPreviewTitle = QStringLiteral("Print Preview");
inline const QString CloseWithKeyPreview = QStringLiteral("&Close");
inline QString previewPages(int left, int right)
{
    return QStringLiteral("Pages %1 - %2").arg(left).arg(right);
}
inline QString previewPage(int page) { return QStringLiteral("Page %1").arg(page); }
inline const QString ExportPdfTitle = QStringLiteral("Export as PDF");
inline const QString ExportPdfFilter = QStringLiteral("PDF Document (*.pdf)|*.pdf");

// Undo and redo captions by kind.
QString undoCaption(int kind);
QString redoCaption(int kind);

// About box.
inline const QString AboutTitle = QStringLiteral("About Scrivora");
inline const QString AboutProduct = QStringLiteral("Scrivora Word Processor for Clinora");
QString versionLine(int major, int minor, int revision);

// Help window.
inline const QString HelpTitle = QStringLiteral("Scrivora Help");
inline QString helpMissing(const QString& path)
{
    return QStringLiteral("The help file %1 cannot be found. Reinstall Scrivora or ask the "
                          "practice's administrator to restore it.")
        .arg(path);
}

// Command line.
inline const QString UsageText = QStringLiteral(
    "Usage: scrivora [options] [FILE | * | ~tmprptNAME]\n"
    "\n"
    "Opens FILE (.rtf or .txt) in the first window, pastes the clipboard for *,\n"
    "and imports and then deletes report files whose names begin with ~tmprpt.\n"
    "\n"
    "Options:\n"
    "  --help              show this help and exit\n"
    "  --version           show the version and exit\n"
    "  --paths             show the folders and files in use, where each choice came\n"
    "                      from, and exit\n"
    "  --app-path DIR      use DIR as the program directory (settings, Documents, help)\n"
    "  --temp-path DIR     use DIR for temporary files\n"
    "  --today YYYY-MM-DD  use this date as today's date\n"
    "  --convert IN OUT    convert IN to OUT by their extensions, without a window\n"
    "  --open FILE         open FILE in a window of its own after start-up (a template\n"
    "                      opens with its practice table, as File > Open does)\n"
    "  --files FILE...     open each FILE in a window of its own, as File > Open does;\n"
    "                      the rest of the command line is files (the menu entry and\n"
    "                      the file manager start Scrivora this way)\n"
    "  --new-instance      start a program of its own; without it, a second start on\n"
    "                      the same display hands its files to the running program,\n"
    "                      which opens them and comes to the front\n"
    "  --type TEXT         type TEXT, key by key, into the window the --open before it\n"
    "                      opened (the first window without one); for demonstrations\n"
    "                      and tests\n"
    "  --merge TEMPLATE OUT [--where \"COLUMN OP VALUE\"]\n"
    "                      merge TEMPLATE with the practice database into OUT, without\n"
    "                      a window; OP is one of = <= < >= > Like\n"
    "  --scramble-password TEXT\n"
    "                      print the form in which clinora.ini stores the password TEXT\n"
    "\n"
    "--convert and --merge write the format OUT's name ends in: .rtf, .doc, .docx,\n"
    ".htm, .html, .txt, .tx, .txm or .pdf. They exit with 0 when OUT is written, 1\n"
    "with the reason when it is not, and 2 when the arguments are wrong.\n");
inline const QString whereWithoutMerge =
    QStringLiteral("scrivora: --where belongs to --merge (see scrivora --help)");
inline QString unknownOption(const QString& option)
{
    return QStringLiteral("scrivora: unknown option %1 (see scrivora --help)").arg(option);
}
inline QString missingValue(const QString& option)
{
    return QStringLiteral("scrivora: option %1 needs a value (see scrivora --help)").arg(option);
}
inline QString badDirectory(const QString& option, const QString& path)
{
    return QStringLiteral("scrivora: %1 %2 is not a directory that can be used").arg(option, path);
}

}  // namespace Texts
