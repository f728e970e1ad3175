#include "aboutdialog.h"

#include "texts/programtexts.h"
#include "version.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAboutDlg"));
    setWindowTitle(Texts::AboutTitle);
    unsetCursor();
    auto* layout = new QVBoxLayout(this);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    image->setAlignment(Qt::AlignCenter);
    auto centred = [this, layout](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
        return label;
    };
    layout->addWidget(image);
    centred("Label1", Texts::AboutProduct);
    centred("Label3", Texts::versionLine(SCRIVORA_VERSION_MAJOR, SCRIVORA_VERSION_MINOR,
                                         SCRIVORA_VERSION_PATCH));
    centred("Label2", QStringLiteral(SCRIVORA_LEGAL_NOTICE));
    auto* ok = new QPushButton(Texts::Ok, this);
    ok->setObjectName(QStringLiteral("cmdok"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
