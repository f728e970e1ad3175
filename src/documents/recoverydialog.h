#pragma once
// The question at start-up about the documents a program that did not end left behind: each
// listed with its caption, original file and the time of its copy, and for each Recover,
// Discard or Later.
#include "recoveryfiles.h"

#include <QDialog>

class AutoRecover;
class DocumentHost;
class QComboBox;
class QTableWidget;

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    enum Action { Recover, Discard, Later };

    RecoveryDialog(const QList<RecoveryEntry>& entries, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QComboBox* actionBox(int row) const;
    Action action(int row) const;

    // Shows the dialog and acts on the answers: recovered documents open as modified windows,
    // discarded copies are deleted, those left for later stay. Closing the dialog is Later.
    static void offer(DocumentHost* host, AutoRecover* recover, const QList<RecoveryEntry>& entries);

private:
    QTableWidget* m_table;
};
