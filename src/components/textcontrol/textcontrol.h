#pragma once
// The word-processing control: one per document window. It owns the document and offers
// the members the program drives. Lengths cross this interface in twips.
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/pageinfo.h"
#include "components/textcontrol/document/transientedits.h"
#include "components/textcontrol/formats/clipboard.h"
#include "components/textcontrol/formats/formatregistry.h"
#include "components/textcontrol/layout/pagesource.h"
#include "components/textcontrol/view/viewhost.h"

#include <QHash>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QWidget>
#include <functional>
#include <memory>

class BodyItem;
class ButtonBar;
class FindReplaceDialog;
class HeaderFooter;
class ObjectHandles;
class PageView;
class QTextDocument;
class QTextCursor;
class Ruler;
class StatusBar;
class UndoKinds;

class TextControl : public QWidget, public ViewHost, public PageSource {
    Q_OBJECT
public:
    enum FileFormat {
        FormatNative = FormatRegistry::Native,
        FormatText = FormatRegistry::Text,
        FormatHtml = FormatRegistry::Html,
        FormatRtf = FormatRegistry::Rtf,
        FormatWord = FormatRegistry::Word,
        FormatDocx = FormatRegistry::Docx
    };
    enum Pointer { PointerDefault = 0, PointerHourglass = 11 };

    explicit TextControl(QWidget* parent = nullptr);
    ~TextControl() override;

    QWidget* widget() override { return this; }
    QTextDocument* document() const override;
    QTextCursor textCursor() const override;
    void setTextCursor(const QTextCursor& cursor) override;

    // Page size and margins, twips.
    int pageWidth() const override { return m_pageWidth; }
    int pageHeight() const override { return m_pageHeight; }
    int pageMarginL() const override;
    int pageMarginT() const;
    int pageMarginR() const override;
    int pageMarginB() const;
    void setPageWidth(int twips);
    void setPageHeight(int twips);
    void setPageMarginL(int twips);
    void setPageMarginT(int twips);
    void setPageMarginR(int twips);
    void setPageMarginB(int twips);
    // From the paper's top edge to the header, from the bottom edge to the footer's end.
    int headerDistance() const { return m_headerDistance; }
    int footerDistance() const { return m_footerDistance; }
    void setHeaderDistances(int header, int footer);
    // The document's pages, once all of it is laid out (printing, export, the page count a
    // caller acts on).
    int currentPages() const override;
    // The pages laid out so far: a long document is laid out a few pages at once and the rest
    // while the program is idle, and the page view and status bar grow with it.
    int laidOutPages() const override;

    int zoomFactor() const override { return m_zoom; }
    void setZoomFactor(int percent);

    // Selection: positions count characters, a paragraph end counts one.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);  // -1 selects to the end of the text
    QString selText() const override;
    void setSelText(const QString& text);

    void clip(int operation) override;
    int undoKind() const;
    int redoKind() const;
    void undo() override;
    void redo() override;
    UndoKinds* undoKinds() const override { return m_undoKinds; }

    bool insertionMode() const override { return m_insertionMode; }
    void setInsertionMode(bool inserting);

    QString fontName() const;
    void setFontName(const QString& family);
    int fontSize() const;
    void setFontSize(int points);
    // Applies character formatting to the selection (or the caret's format); one undo step.
    void mergeCharFormat(const QTextCharFormat& format) override;
    void setAlignment(Qt::Alignment alignment) override;
    // Applies paragraph formatting to the selected paragraphs; one undo step.
    void mergeBlockFormat(const QTextBlockFormat& format) override;
    // Colours of the selection as &HBBGGRR values; -1 when the selection mixes colours.
    int foreColor() const;
    void setForeColor(int bgr);
    int textBkColor() const;
    void setTextBkColor(int bgr);
    static int toBgr(const QColor& colour);
    static QColor fromBgr(int bgr);

    // Tables. A table goes in at the caret, rows before (1) or after (2) the caret's row.
    bool tableCanInsert() const;
    void tableInsert(int rows, int columns);
    void tableInsertLines(int where, int count);
    void tableDeleteLines();
    bool tableCanInsertLines() const;
    bool tableCanDeleteLines() const;
    bool tableCanChangeAttr() const;
    // The selected object (an image); 0 when none is selected.
    int objectCurrent() const;
    // Places an image file in a floating frame beside the paragraph at (x, y) twips from the
    // top left of the document, text flowing round it: left of the page's middle it floats
    // left, else right. Arguments: object (0 = new), file, x, y, scale x and y in percent,
    // width and height in twips (0 = from the scale), text flow (0 = as a character, any other
    // value = placed), sizing handles (ignored: every image can be resized), distances left,
    // top, right, bottom in twips. Returns the object's identifier; 0 with lastError() set
    // when the file holds no readable image.
    int objectInsertFixed(int object, const QString& path, int x, int y, int scaleX, int scaleY, int width,
                          int height, int textflow, int sizing, int distanceL, int distanceT, int distanceR,
                          int distanceB);
    // Attributes of the selected object: text flow (0 = in the text), distances 1..4 (left,
    // top, right, bottom, twips), display mode (1 fast), save mode (1 as data, 0 as a link).
    int objectTextflow() const;
    int objectDistance(int index) const;
    void setObjectDistance(int index, int twips);
    int imageDisplayMode() const;
    void setImageDisplayMode(int mode);
    int imageSaveMode() const;
    void setImageSaveMode(int mode);
    // Resizes the selected object to `size` layout units; one undo step.
    void setObjectSize(QSizeF size) override;
    // The open-dialog filter ("description|patterns|...") of every image format read.
    static QString imageFilters();
    // The document's vertical scroll position in twips; the caret's position in pixels from the
    // left edge of the page and the top of the visible part of the view.
    int scrollPosY() const;
    QPoint caretPos() const;
    // Inserts an image file as a character at `position` (-1: the caret), scaled in percent;
    // the image is kept in the document, so the file may change afterwards. Returns the
    // object's identifier, 0 when the file holds no image.
    int objectInsertAsChar(int object, const QString& path, int position, int scaleX, int scaleY,
                           int distance, int flags);
    // Frame lines of the selected paragraphs: the style flags they all have, line width and
    // distance to the text in twips (-1 when the paragraphs differ). A written style turns
    // parts on and off (see ParagraphFrames::applyStyle); each write is one undo step.
    int frameStyle() const;
    void setFrameStyle(int flags);
    int frameLineWidth() const;
    void setFrameLineWidth(int twips);
    int frameDistance() const;
    void setFrameDistance(int twips);
    bool tableGridLines() const override { return m_tableGridLines; }
    void setTableGridLines(bool on);

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // The control's numbered settings; the program only stores and reads them back.
    int setting(int id) const { return m_settings.value(id); }
    void setSetting(int id, int value) { m_settings.insert(id, value); }

    void findReplace(int mode);  // 1 find, 2 replace
    // The control's Font and Paragraph dialogs on the selection; 1 when applied, 0 cancelled.
    int fontDialog();
    int paragraphDialog();
    // The table attributes dialog on the table at the caret; 1 when applied, 0 otherwise.
    int tableAttrDialog();
    // Lists on the selected paragraphs (styles as ListLevels::Style). The caret's list style,
    // -1 outside a list; setting -1 takes the paragraphs out of their lists. Each is one undo step.
    int listStyle() const override;
    void setListStyle(int style);
    // The bullets or numbers on and off, as the paragraph bar's buttons do.
    void toggleList(bool numbered) override;
    // One level down (+1) or up (-1); false outside a list.
    bool changeListLevel(int delta);
    // The Bullets and Numbering dialog on the selection; 1 when applied, 0 cancelled.
    int listDialog();
    FindReplaceDialog* findReplaceDialog() const { return m_findDialog; }

    void insertPageBreak() override;

    // Files. `offset` skips a header that the caller wrote in front of the document.
    bool load(const QString& path, qint64 offset, int format, bool selectionOnly = false);
    bool save(const QString& path, qint64 offset, int format, bool selectionOnly = false);
    // The whole document (body, header, footer, page) in the control's own format, in memory:
    // the quickest complete copy there is, to be written to a file on another thread.
    QByteArray nativeForm() const;
    // Insert a file at the caret (replacing the selection).
    bool RTFImport(const QString& path);
    bool TextImport(const QString& path);
    // The selection as an RTF document.
    QByteArray selectionRTF() const;
    // Folder that linked images are found in and saved relative to.
    QString viewImagePath() const { return m_viewImagePath; }
    void setViewImagePath(const QString& folder) { m_viewImagePath = folder; }
    // Parts present: 1 header, 4 footer.
    int headerFooter() const;
    void setHeaderFooter(int parts);
    // Moves the editing target: 1 into the header, 4 into the footer, 0 back to the body.
    void headerFooterSelect(int part) override;
    // A click at `scenePoint` of the page view: the header or footer area of a page makes that
    // part the editing target there, anywhere else the body.
    void selectPartAt(QPointF scenePoint) override;
    // Puts the caret of the editing target at its position nearest to `scenePoint` and gives
    // it the keyboard focus: for clicks beside, between or below the text.
    void placeCaretNear(QPointF scenePoint) override;
    // The text item being edited: the body, or the header or footer.
    BodyItem* editingItem() const override;
    int editingTarget() const;
    // Operation 137: brings the part just added (1 header, 4 footer) into view.
    void showPart(int part);
    HeaderFooter* headerFooterParts() const override { return m_parts; }
    QTextDocument* targetDocument() const;

    // Fields. Identifiers are above 0; 0 stands for none.
    int fieldInsert(const QString& text);
    int fieldCurrent() const;
    void setFieldCurrent(int id);
    QString fieldText() const;
    // Replaces the current field's text. With `closeGap`, an empty text also takes one blank
    // next to the field with it (the one before it, or after it at a paragraph's start), so
    // that no double blank is left; the field gives it back with its next text.
    void setFieldText(const QString& text, bool closeGap = false);
    QString fieldData(int id) const;
    void setFieldData(int id, const QString& data);
    int fieldType(int id) const;
    void setFieldType(int id, int type);
    int fieldNext(int id) const;
    bool fieldDelete(bool whole = true);
    // Setting 41 of the current field: whether the user may edit inside it.
    void setFieldEditable(bool editable);
    // Merges `format` into the runs of field `id`.
    void mergeFieldFormat(int id, const QTextCharFormat& format);

    // Spelling as you type: the view underlines each word that `check` does not know, with a
    // wavy line that is never stored or printed. An empty check turns it off.
    void setSpellingCheck(WordCheck check);
    const WordCheck& spellingCheck() const override { return m_spellingCheck; }
    // The word at a point of the control, selected; a null cursor when there is none.
    QTextCursor wordAt(const QPoint& point) const;

    // A run of program edits (a merge) that is laid out once, at its end, and undoes as one
    // step. Calls nest.
    void beginBatch();
    void endBatch();

    // Transient edits (see TransientEdits): what `edit` changes is shown until it is withdrawn;
    // it raises no change notification and the user's undo and redo never reach it.
    void showTransient(const std::function<void()>& edit);
    void withdrawTransient(const std::function<void()>& restore);
    bool transientShown() const { return m_transient.shown(); }

    // The 96-per-inch device every document of the control is laid out for.
    static QPaintDevice* layoutDevice();
    // Forgets the undo history (a fresh or freshly loaded document).
    void clearUndo();
    QString lastError() const { return m_lastError; }
    // Why the last load or save failed, for a caller that explains it in its own words.
    enum class FileFailure { None, UnknownFormat, Unreadable, NotADocument, Unwritable, DiskFull };
    FileFailure lastFileFailure() const { return m_lastFileFailure; }
    // Page values of the file: 0..5 width, height, margins L, T, R, B (twips), read after a
    // load and set before a save; 37 set before a load asks for them to be read.
    int loadSaveAttribute(int index) const { return m_loadSaveAttributes.value(index); }
    void setLoadSaveAttribute(int index, int value) { m_loadSaveAttributes.insert(index, value); }
    // Gives the page the values 0..5 that the last load found (those above 0).
    void applyLoadSaveAttributes();
    // Replaces the whole text; one change notification, nothing to undo.
    void setPlainText(const QString& text);
    QString plainText() const;

    // Bars that follow this control (the window's ruler, the shared button and status bars).
    void setRulerHandle(Ruler* ruler);
    void setButtonBarHandle(ButtonBar* bar);
    void setStatusBarHandle(StatusBar* bar);
    Ruler* ruler() const;
    // Makes the shared button and status bars follow this control.
    void bindBars();
    PageView* pageView() const override { return m_view; }
    ObjectHandles* objectHandles() const override { return m_handles.get(); }

    // Draws page `page` (1-based) at the painter's current origin, one layout unit per unit.
    void paintPage(QPainter* painter, int page) const;
    // The zoom (percent) a preview renders pages at; the screen's zoom is zoomFactor().
    int printZoom() const { return m_printZoom; }
    void setPrintZoom(int percent) { m_printZoom = percent; }
    void paintPageDecorations(QPainter* painter, int page, QPointF origin, bool onScreen) const override;

    // Called by the body item.
    void notifyKey(int keyCode, int shift) override;
    void notifyMouse(int buttons, int shift, QPoint at) override;
    void notifyFocus(BodyItem* item) override;
    void follow(QObject* receiver, int changes, const std::function<void()>& refresh) override;

signals:
    void changed();
    void keyDown(int keyCode, int shift);
    void mouseDown(int buttons, int shift, int x, int y);
    void cursorMoved();
    void pagesChanged(int pages);
    void zoomChanged(int percent);
    void insertionModeChanged(bool inserting);
    void focusReceived(TextControl* control);

public:
    static constexpr const char* NativeMimeType = Clipboard::NativeMimeType;
    // Name under which a document lists the images it holds as resources.
    static constexpr const char* ImageNamesProperty = Objects::ImageNamesProperty;
    PageInfo pageInfo() const override;

private:
    static bool isKnownFormat(int format);
    DocumentParts documentParts() const;  // the header and footer, for the writers
    // Keeps why a load or save failed; returns false.
    bool fileFailed(FileFailure failure, const QString& message);
    bool decode(const QByteArray& bytes, int format, QTextDocument* target, PageInfo& page,
                DocumentParts* parts = nullptr) const;
    QByteArray encode(const QTextDocument* source, int format, const PageInfo& page,
                      const DocumentParts* parts = nullptr) const;
    void attachDocument(QTextDocument* document, const QTextFrameFormat* frame = nullptr);
    void keepBodyClear();
    void adoptDocument(QTextDocument* incoming);
    void insertDocument(const QTextDocument& incoming);
    void applyPage(const PageInfo& page);
    void applyPageGeometry();
    void setImageProperty(int property, int value);
    void updatePageBars();
    QSizeF pageSizeUnits() const;
    void setRootMargin(int side, int twips);
    template <typename Edit> void withoutUndo(Edit edit);
    void emitChanged();

    QTextDocument* m_document = nullptr;
    BodyItem* m_body;
    PageView* m_view;
    UndoKinds* m_undoKinds = nullptr;
    FindReplaceDialog* m_findDialog = nullptr;
    QPointer<Ruler> m_ruler;
    QPointer<ButtonBar> m_buttonBar;
    QPointer<StatusBar> m_statusBar;
    QHash<int, int> m_settings;
    QHash<int, int> m_loadSaveAttributes;
    QString m_lastError;
    FileFailure m_lastFileFailure = FileFailure::None;
    QString m_viewImagePath;
    HeaderFooter* m_parts = nullptr;
    std::unique_ptr<ObjectHandles> m_handles;
    TransientEdits m_transient;
    int m_nextFieldId = 1;
    int m_pageWidth = 12240;
    int m_pageHeight = 15840;
    int m_headerDistance = DefaultHeaderDistance;
    int m_footerDistance = DefaultHeaderDistance;
    static constexpr int DefaultHeaderDistance = 720;
    int m_zoom = 100;
    int m_printZoom = 100;
    int m_mousePointer = PointerDefault;
    int m_lastPages = 1;
    WordCheck m_spellingCheck;
    QTextCursor m_batch;
    int m_batchDepth = 0;
    int m_quiet = 0;  // >0 while an operation must not raise the change notification
    bool m_insertionMode = true;
    bool m_tableGridLines = false;
};
