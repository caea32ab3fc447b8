#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The modal server settings dialog. It edits MailSettings in memory only and
// writes them back on a valid OK.
class frmSettings : public QDialog
{
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);

    QGroupBox* fraMails;
    QGroupBox* fraServerSettings;
    QGroupBox* fraMisc;
    QLabel* lblTag[5];
    QLineEdit* txtMailFrom;
    QLineEdit* txtUserName;
    QLineEdit* txtPassword;
    QLineEdit* txtSMTPServer;
    QLineEdit* txtSMTPServerPort;
    QCheckBox* chkUseSSL;
    QCheckBox* chkTempFilePrefix;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void chkUseSSL_Click();
    void txtMailFrom_GotFocus();
    void txtUserName_GotFocus();
    void txtPassword_GotFocus();
    void txtSMTPServer_GotFocus();
    void txtSMTPServerPort_GotFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void CreateControls();
    void DescribeControls();
    // The port text as a usable port, or 0 when it is not one.
    static int ParsePort(const QString& text);

    bool m_loading = false;
    // A text box that got the focus by a mouse press, whose release would
    // otherwise drop the selection the focus handler made.
    QLineEdit* m_clickFocused = nullptr;
};
