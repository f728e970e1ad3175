#include "scripteddialogs.h"

#include <QDialog>

ScriptedDialogs::ScriptedDialogs() { CommonDialog::setProvider(this); }
ScriptedDialogs::~ScriptedDialogs() { CommonDialog::setProvider(nullptr); }

CommonDialog::Answer ScriptedDialogs::message(QWidget*, const QString& title, const QString& text,
                                              CommonDialog::Buttons buttons,
                                              CommonDialog::Icon icon)
{
    messages.append({title, text, buttons, icon});
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    return buttons == CommonDialog::Buttons::Ok ? CommonDialog::Answer::Ok
                                                : CommonDialog::Answer::Cancel;
}

CommonDialog::FileAnswer ScriptedDialogs::nextFile(const CommonDialog::FileRequest& request)
{
    fileRequests.append(request);
    CommonDialog::FileAnswer answer;
    if (!fileAnswers.isEmpty())
        answer.fileName = fileAnswers.dequeue();
    if (!fileTypeAnswers.isEmpty())
        answer.filterIndex = fileTypeAnswers.dequeue();
    answer.accepted = !answer.fileName.isEmpty();
    return answer;
}

CommonDialog::FileAnswer ScriptedDialogs::openFile(QWidget*, const CommonDialog::FileRequest& r)
{
    return nextFile(r);
}

CommonDialog::FileAnswer ScriptedDialogs::saveFile(QWidget*, const CommonDialog::FileRequest& r)
{
    return nextFile(r);
}

int ScriptedDialogs::exec(QDialog* dialog)
{
    dialogsShown << dialog->objectName();
    if (dialogScripts.isEmpty()) {
        dialog->reject();  // as the user's Cancel would
        return QDialog::Rejected;
    }
    return dialogScripts.dequeue()(dialog);
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor& initial)
{
    colourRequests << initial;
    const QColor answer = colourAnswers.isEmpty() ? QColor() : colourAnswers.dequeue();
    return answer.isValid() ? std::optional<QColor>(answer) : std::nullopt;
}

CommonDialog::PrintAnswer ScriptedDialogs::print(QWidget*, const CommonDialog::PrintRequest& request, QPrinter*)
{
    printRequests << request;
    return printAnswers.isEmpty() ? CommonDialog::PrintAnswer() : printAnswers.dequeue();
}

void ScriptedDialogs::printSetup(QWidget*, QPrinter*) { ++printSetups; }
