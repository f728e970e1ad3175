#include "imagedialog.h"

#include "dialogbuttons.h"
#include "dialogcommand.h"
#include "layoutstate.h"
#include "units.h"

#include "components/commondialog/commondialog.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "texts/programtexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const char* const BoxNames[4] = {"txtLeftBorder", "txtTopBorder", "txtRightBorder", "txtBottomBorder"};
}

ImageDialog::ImageDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImageDlg"));
    setWindowTitle(Texts::ImageDialogTitle);
    TextControl* control = LayoutState::ActiveTextControl;
    const bool placed = control && control->objectTextflow() != 0;

    auto* layout = new QVBoxLayout(this);
    m_borders = new QGroupBox(Texts::ImageBorders, this);
    m_borders->setObjectName(QStringLiteral("fra3d_1"));
    auto* grid = new QGridLayout(m_borders);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(Texts::ImageBorderLabels[i], m_borders);
        label->setObjectName(QStringLiteral("lblBorder_%1").arg(i));
        m_distances[i] = new QLineEdit(m_borders);
        m_distances[i]->setObjectName(QLatin1String(BoxNames[i]));
        label->setBuddy(m_distances[i]);
        auto* unit = new QLabel(LayoutState::MeasureUnit == 1 ? Texts::UnitInch : Texts::UnitCm, m_borders);
        unit->setObjectName(QStringLiteral("lblmeasurement_%1").arg(i));
        grid->addWidget(label, i, 0);
        grid->addWidget(m_distances[i], i, 1);
        grid->addWidget(unit, i, 2);
        if (placed)
            m_distances[i]->setText(Units::Twips2DlgString(float(control->objectDistance(i + 1))));
    }
    // An image in the text has no distances: the whole frame, labels included, is disabled.
    m_borders->setEnabled(placed);
    layout->addWidget(m_borders);

    auto* options = new QGroupBox(Texts::ImageOptions, this);
    options->setObjectName(QStringLiteral("fra3d_0"));
    auto* optionsLayout = new QVBoxLayout(options);
    m_fastDisplay = new QCheckBox(Texts::FastDisplay, options);
    m_fastDisplay->setObjectName(QStringLiteral("chkFastDisplay"));
    m_saveAsData = new QCheckBox(Texts::SaveAsData, options);
    m_saveAsData->setObjectName(QStringLiteral("chkSaveAsData"));
    optionsLayout->addWidget(m_fastDisplay);
    optionsLayout->addWidget(m_saveAsData);
    layout->addWidget(options);
    if (control) {
        m_fastDisplay->setChecked(control->imageDisplayMode() != 0);
        m_saveAsData->setChecked(control->imageSaveMode() != 0);
    }

    const auto [buttons, ok, cancel] = DialogButtons::make(this, Texts::Ok, "btnok", Texts::CancelWithKey, "btncancel");
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ImageDialog::apply()
{
    TextControl* control = LayoutState::ActiveTextControl;
    if (!control)
        return;
    if (control->objectTextflow() != 0)
        for (int i = 0; i < 4; ++i)
            control->setObjectDistance(i + 1, Units::DlgString2Twips(m_distances[i]->text()));
    control->setImageDisplayMode(m_fastDisplay->isChecked() ? 1 : 0);
    control->setImageSaveMode(m_saveAsData->isChecked() ? 1 : 0);
}

namespace ImageCommands {

void InsertImageFile(TextControl* control, int x, int y)
{
    CommonDialog::FileRequest request;
    request.title = Texts::InsertImageTitle;
    request.filter = control->imageFilters();
    request.filterIndex = 1;
    request.flags = 6148;
    const CommonDialog::FileAnswer answer = CommonDialog::provider().openFile(DocumentHost::current()->hostWidget(), request);
    if (!answer.accepted)
        return;  // cancelling the dialog is no error
    InsertImagePath(control, answer.fileName, x, control->scrollPosY() + y);
}

bool InsertImagePath(TextControl* control, const QString& path, int x, int y)
{
    const int id = control->objectInsertFixed(0, path, x, y, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0);
    if (id == 0)
        CommonDialog::provider().message(DocumentHost::current()->hostWidget(), CommonDialog::defaultTitle(),
                                         Texts::CannotInsertImage + path + Texts::ErrorWord
                                             + control->lastError() + QLatin1Char('.'),
                                         CommonDialog::Buttons::Ok, CommonDialog::Icon::None);
    return id != 0;
}

void insertImage()
{
    EditorWindow* window = DocumentHost::current()->activeDocumentWindow();
    if (!window)
        return;
    TextControl* control = window->textControl();
    const QPoint caret = control->caretPos();
    InsertImageFile(control, qint16(caret.x() * 15), qint16(caret.y() * 15));
}

void showImageAttributes(QWidget* parent) { DialogCommand::run<ImageDialog>(parent); }

}  // namespace ImageCommands
