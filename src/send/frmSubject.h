#pragma once

#include <QDialog>
#include <memory>

class HistoryList;
class QFrame;
class QLineEdit;
class QPushButton;

// Asks for the subject of a message sent without one. The caller shows it
// with exec(), reads Ok and then the text, and discards the instance.
class frmSubject : public QDialog
{
    Q_OBJECT
public:
    explicit frmSubject(QWidget* owner = nullptr);
    ~frmSubject() override;

    // True only when the prompt was left with its OK button.
    bool Ok = false;

    QLineEdit* txtSubject = nullptr;
    QPushButton* cmdSubjectHistory = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QFrame* shpBack = nullptr;

    // Closes the prompt for good; any other close counts as Cancel.
    void Unload();

public slots:
    void cmdSubjectHistory_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    // Esc presses Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void txtSubject_GotFocus();

    std::unique_ptr<HistoryList> history;
    bool unloading = false;
};
