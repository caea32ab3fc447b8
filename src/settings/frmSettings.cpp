#include "frmSettings.h"

#include "composer/MailSettings.h"
#include "platform/Accessibility.h"
#include "platform/Layout.h"
#include "platform/MessageBox.h"
#include "platform/Support.h"
#include "settings/modPasswordCryptor.h"
#include "widgets/TextDirection.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <type_traits>

#include <iterator>
#include <utility>

namespace
{

constexpr int kMinimumPort = 1;
constexpr int kMaximumPort = 65535;
constexpr int kStandardPort = 25;
constexpr int kStandardSSLPort = 465;

template <typename Control, typename... Args>
Control* makeControl(QWidget* parent, const char* name, int left, int top, int width, int height,
                     Args&&... args)
{
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QLatin1String(name));
    control->setFont(Layout::windowFont());
    Layout::place(control, left, top, width, height);
    if constexpr (std::is_same_v<Control, QLabel> || std::is_same_v<Control, QCheckBox>)
        Layout::fitCaption(control);
    return control;
}

// The first character of the text that the stored password form cannot carry.
QString firstUnstorableCharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!modPasswordCryptor::IsStorable(character))
            return character;
        i += length;
    }
    return QString();
}

} // namespace

frmSettings::frmSettings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));
    setModal(true);
    setFont(Layout::windowFont());
    Layout::fixClientSize(this, 6015, 4575);
    CreateControls();
    Form_Load();
}

void frmSettings::CreateControls()
{
    // Created in tab order, which is also the focus chain.
    fraMails = makeControl<QGroupBox>(this, "fraMails", 120, 60, 5775, 795, tr(" Mails "));
    lblTag[0] = makeControl<QLabel>(fraMails, "lblTag0", 180, 340, 780, 210, tr("Mail from:"));
    txtMailFrom = makeControl<QLineEdit>(fraMails, "txtMailFrom", 1260, 300, 4335, 315);

    fraServerSettings =
        makeControl<QGroupBox>(this, "fraServerSettings", 120, 960, 5775, 2055, tr(" Server settings "));
    lblTag[1] = makeControl<QLabel>(fraServerSettings, "lblTag1", 180, 345, 930, 210, tr("User name:"));
    txtUserName = makeControl<QLineEdit>(fraServerSettings, "txtUserName", 1860, 300, 3735, 315);
    lblTag[2] = makeControl<QLabel>(fraServerSettings, "lblTag2", 180, 765, 825, 210, tr("Password:"));
    txtPassword = makeControl<QLineEdit>(fraServerSettings, "txtPassword", 1860, 720, 3735, 315);
    lblTag[3] = makeControl<QLabel>(fraServerSettings, "lblTag3", 180, 1185, 1080, 210, tr("SMTP server:"));
    txtSMTPServer = makeControl<QLineEdit>(fraServerSettings, "txtSMTPServer", 1860, 1140, 3735, 315);
    lblTag[4] =
        makeControl<QLabel>(fraServerSettings, "lblTag4", 180, 1605, 1485, 210, tr("SMTP server port:"));
    txtSMTPServerPort = makeControl<QLineEdit>(fraServerSettings, "txtSMTPServerPort", 1860, 1560, 2535, 315);
    chkUseSSL = makeControl<QCheckBox>(fraServerSettings, "chkUseSSL", 4560, 1580, 1035, 255, tr("Use SSL"));

    fraMisc = makeControl<QGroupBox>(this, "fraMisc", 120, 3120, 5775, 735, tr(" Misc "));
    chkTempFilePrefix = makeControl<QCheckBox>(fraMisc, "chkTempFilePrefix", 180, 300, 2715, 255,
                                               tr("Use \"~$\" prefix for EML files"));

    cmdOk = makeControl<QPushButton>(this, "cmdOk", 3000, 4020, 1395, 435, tr("Ok"));
    cmdCancel = makeControl<QPushButton>(this, "cmdCancel", 4500, 4020, 1395, 435, tr("Cancel"));
    cmdOk->setToolTip(tr(" Keep these settings "));
    cmdCancel->setToolTip(tr(" Leave the settings as they were "));
    cmdOk->setDefault(true);

    txtPassword->setEchoMode(QLineEdit::Password);
    // One asterisk per character, whatever the style's own mask character.
    txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    DescribeControls();
    TextDirection::followText(this);

    QWidget* const chain[] = {txtMailFrom, txtUserName,       txtPassword, txtSMTPServer, txtSMTPServerPort,
                              chkUseSSL,   chkTempFilePrefix, cmdOk,       cmdCancel};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    for (QLineEdit* box : {txtMailFrom, txtUserName, txtPassword, txtSMTPServer, txtSMTPServerPort})
        box->installEventFilter(this);

    connect(cmdOk, &QPushButton::clicked, this, &frmSettings::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSettings::cmdCancel_Click);
    connect(chkUseSSL, &QCheckBox::toggled, this, &frmSettings::chkUseSSL_Click);
}

void frmSettings::DescribeControls()
{
    // Without these a screen reader names every box after its frame (" Server settings ").
    QLineEdit* const boxes[] = {txtMailFrom, txtUserName, txtPassword, txtSMTPServer, txtSMTPServerPort};
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        lblTag[i]->setBuddy(boxes[i]);
    Accessibility::describe(fraMails, tr("Mails"), tr("The sender of the messages"));
    Accessibility::describe(fraServerSettings, tr("Server settings"), tr("The SMTP account and server"));
    Accessibility::describe(fraMisc, tr("Misc"), tr("Other options"));
    Accessibility::describe(txtMailFrom, tr("Mail from"), tr("The sender address of the messages"));
    Accessibility::describe(txtUserName, tr("User name"), tr("User name of the SMTP account"));
    Accessibility::describe(txtPassword, tr("Password"), tr("Password of the SMTP account"));
    Accessibility::describe(txtSMTPServer, tr("SMTP server"), tr("Name or address of the SMTP server"));
    Accessibility::describe(txtSMTPServerPort, tr("SMTP server port"),
                            tr("Port of the SMTP server, 1 to 65535"));
    Accessibility::describe(chkUseSSL, chkUseSSL->text(),
                            tr("Implicit TLS on port 465, STARTTLS on any other port"));
    Accessibility::describe(chkTempFilePrefix, chkTempFilePrefix->text(),
                            tr("Starts the names of the local message copies with ~$"));
    Accessibility::describe(cmdOk, cmdOk->text(), tr("Keeps the settings and closes"));
    Accessibility::describe(cmdCancel, cmdCancel->text(), tr("Closes without changing the settings"));
}

void frmSettings::Form_Load()
{
    ksCenterFormEx(this);
    Layout::removeWindowIcon(this);

    m_loading = true;
    txtMailFrom->setText(MailSettings::MailFrom);
    txtUserName->setText(MailSettings::UserName);
    txtPassword->setText(MailSettings::Password);
    txtSMTPServer->setText(MailSettings::SMTPServer);
    txtSMTPServerPort->setText(QString::number(MailSettings::SMTPServerPort));
    chkUseSSL->setChecked(MailSettings::UseSSL);
    chkTempFilePrefix->setChecked(MailSettings::TempFilePrefix);
    m_loading = false;

    txtMailFrom->setFocus(Qt::OtherFocusReason);
}

int frmSettings::ParsePort(const QString& text)
{
    // Decimal digits with an optional sign and blanks around them; nothing looser.
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    const QString trimmed = ksTrimEx(text);
    if (!number.match(trimmed).hasMatch())
        return 0;
    bool converted = false;
    const int port = trimmed.toInt(&converted);
    if (!converted || port < kMinimumPort || port > kMaximumPort)
        return 0;
    return port;
}

void frmSettings::cmdOk_Click()
{
    const int port = ParsePort(txtSMTPServerPort->text());
    if (port == 0) {
        MessageBox::show(this, tr("Invalid SMTP server port value."), MessageBox::Critical);
        txtSMTPServerPort->setFocus(Qt::OtherFocusReason);
        ksHighlightText(txtSMTPServerPort);
        return;
    }

    // The stored form holds one Windows-1251 byte per character; refuse now
    // rather than fail when the settings are saved.
    const QString unstorable = firstUnstorableCharacter(txtPassword->text());
    if (!unstorable.isEmpty()) {
        MessageBox::show(
            this,
            QStringLiteral("The password can't be stored: its character \"%1\" is not in the Windows-1251 "
                           "code page, which holds Latin letters without accents, Cyrillic letters, "
                           "digits and common signs.")
                .arg(unstorable),
            MessageBox::Critical);
        txtPassword->setFocus(Qt::OtherFocusReason);
        ksHighlightText(txtPassword);
        return;
    }

    MailSettings::SMTPServerPort = port;
    MailSettings::MailFrom = txtMailFrom->text();
    MailSettings::UserName = txtUserName->text();
    MailSettings::Password = txtPassword->text();
    MailSettings::SMTPServer = txtSMTPServer->text();
    MailSettings::UseSSL = chkUseSSL->isChecked();
    MailSettings::TempFilePrefix = chkTempFilePrefix->isChecked();
    accept();
}

void frmSettings::cmdCancel_Click()
{
    reject();
}

void frmSettings::chkUseSSL_Click()
{
    if (m_loading)
        return;
    const QString standardPort = QString::number(chkUseSSL->isChecked() ? kStandardSSLPort : kStandardPort);
    if (ksTrimEx(txtSMTPServerPort->text()) == standardPort)
        return;
    const int answer = MessageBox::show(this, tr("Set port to standard value %1.").arg(standardPort),
                                        MessageBox::OkCancel | MessageBox::Question);
    if (answer == MessageBox::AnswerOk)
        txtSMTPServerPort->setText(standardPort);
}

void frmSettings::txtMailFrom_GotFocus()
{
    ksHighlightText(txtMailFrom);
}

void frmSettings::txtUserName_GotFocus()
{
    ksHighlightText(txtUserName);
}

void frmSettings::txtPassword_GotFocus()
{
    ksHighlightText(txtPassword);
}

void frmSettings::txtSMTPServer_GotFocus()
{
    ksHighlightText(txtSMTPServer);
}

void frmSettings::txtSMTPServerPort_GotFocus()
{
    ksHighlightText(txtSMTPServerPort);
}

bool frmSettings::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);

    if (event->type() == QEvent::FocusIn) {
        if (box == txtMailFrom)
            txtMailFrom_GotFocus();
        else if (box == txtUserName)
            txtUserName_GotFocus();
        else if (box == txtPassword)
            txtPassword_GotFocus();
        else if (box == txtSMTPServer)
            txtSMTPServer_GotFocus();
        else if (box == txtSMTPServerPort)
            txtSMTPServerPort_GotFocus();
        m_clickFocused = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ? box : nullptr;
    } else if (event->type() == QEvent::FocusOut && box == m_clickFocused) {
        m_clickFocused = nullptr;
    } else if (event->type() == QEvent::MouseButtonRelease && box == m_clickFocused) {
        // The press that gave the focus has placed the cursor; let the box
        // finish the click, then select the whole text again.
        m_clickFocused = nullptr;
        static_cast<QObject*>(box)->event(event);
        box->selectAll();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
