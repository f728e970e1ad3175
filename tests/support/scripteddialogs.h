#pragma once
// Answers every message box, file dialog and modal dialog from a script, and records what
// the program asked, so that no test ever blocks on a modal window.
#include "components/commondialog/commondialog.h"

#include <QList>
#include <QQueue>
#include <functional>

struct ShownMessage {
    QString title;
    QString text;
    CommonDialog::Buttons buttons;
    CommonDialog::Icon icon;
};

class ScriptedDialogs : public CommonDialog::Provider {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers given in order; a message with no scripted answer gets Cancel (or Ok).
    QQueue<CommonDialog::Answer> messageAnswers;
    // File dialogs: an empty string cancels.
    QQueue<QString> fileAnswers;
    QQueue<int> fileTypeAnswers;  // the file type chosen with each file answer (1-based)
    // Modal dialogs: each gets the dialog and returns its result.
    QQueue<std::function<int(QDialog*)>> dialogScripts;
    // Colour dialogs: an invalid colour cancels.
    QQueue<QColor> colourAnswers;
    QList<QColor> colourRequests;
    // Print dialogs: answered in order; none left cancels.
    QQueue<CommonDialog::PrintAnswer> printAnswers;
    QList<CommonDialog::PrintRequest> printRequests;
    int printSetups = 0;

    QList<ShownMessage> messages;
    QList<CommonDialog::FileRequest> fileRequests;
    QStringList dialogsShown;  // objectNames

    CommonDialog::Answer message(QWidget* parent, const QString& title, const QString& text,
                                 CommonDialog::Buttons buttons, CommonDialog::Icon icon) override;
    CommonDialog::FileAnswer openFile(QWidget* parent, const CommonDialog::FileRequest& r) override;
    CommonDialog::FileAnswer saveFile(QWidget* parent, const CommonDialog::FileRequest& r) override;
    int exec(QDialog* dialog) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    CommonDialog::PrintAnswer print(QWidget* parent, const CommonDialog::PrintRequest& request,
                                    QPrinter* printer) override;
    void printSetup(QWidget* parent, QPrinter* printer) override;

private:
    CommonDialog::FileAnswer nextFile(const CommonDialog::FileRequest& request);
};
