#include "frmMain.h"

#include "DraftKeeper.h"
#include "DraftNotice.h"
#include "MailSettings.h"
#include "app/modMain.h"
#include "attachments/AttachmentFiles.h"
#include "attachments/frmAttachments.h"
#include "platform/Accessibility.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/ErrorReporter.h"
#include "platform/HistoryList.h"
#include "platform/Keys.h"
#include "platform/LastResort.h"
#include "platform/Layout.h"
#include "platform/MailMessage.h"
#include "platform/MessageBox.h"
#include "platform/PendingError.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/Support.h"
#include "platform/TextFileWriter.h"
#include "platform/UiServices.h"
#include "send/frmSubject.h"
#include "settings/frmSettings.h"
#include "settings/modPasswordCryptor.h"
#include "widgets/HistoryCompleter.h"
#include "widgets/SpellChecking.h"
#include "widgets/TextDirection.h"
#include "widgets/ucAnimation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDropEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QThread>
#include <QTimer>
#include <limits>
#include <utility>

namespace
{

const QString ToHistoryFile = QStringLiteral("To History.DAT");
const QString SubjectHistoryFile = QStringLiteral("Subject History.DAT");
const QString AboutText = QStringLiteral("Велара");
const char* const TagProperty = "tag";
const char* const SelectOnReleaseProperty = "selectOnRelease";

struct StoredSetting {
    QString section;
    QString key;
    SettingsStore::Kind kind;
    QVariant defaultValue;
};

// In the order they are read and written; the memory side is
// frmMain::SettingValues().
const std::array<StoredSetting, frmMain::SettingCount>& storedSettings()
{
    const QString mails = QStringLiteral("Mails");
    const QString server = QStringLiteral("Server settings");
    static const std::array<StoredSetting, frmMain::SettingCount> settings = {{
        {mails, QStringLiteral("To"), SettingsStore::Text, QString()},
        {QString(), QStringLiteral("Send Hotkey Option"), SettingsStore::Integer, 0},
        {mails, QStringLiteral("Mail from"), SettingsStore::Text, QString()},
        {server, QStringLiteral("User name"), SettingsStore::Text, QString()},
        {server, QStringLiteral("Password"), SettingsStore::Text, QString()},
        {server, QStringLiteral("SMTP server"), SettingsStore::Text, QString()},
        {server, QStringLiteral("SMTP server port"), SettingsStore::Integer, 25},
        {server, QStringLiteral("Use SSL"), SettingsStore::Boolean, false},
        {QString(), QStringLiteral("Temp File Prefix"), SettingsStore::Boolean, false},
    }};
    return settings;
}

QLineEdit* makeLineEdit(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    // Qt's default limit would cut a long pasted list or subject without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent)
{
    CreateControls();
    AcceptFileDrops();
    Form_Load();
}

frmMain::~frmMain()
{
    LastResort::clearRescue(this);
}

void frmMain::CreateControls()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Vellum"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Layout::windowFont());
    Layout::fixClientSize(this, 5775, 4395);

    // Decoration behind the captions; created first so it stays at the back.
    shpBack = new QFrame(this);
    shpBack->setObjectName(QStringLiteral("shpBack"));
    shpBack->setAutoFillBackground(true);
    shpBack->setBackgroundRole(QPalette::AlternateBase);
    Layout::place(shpBack, -600, -720, 2235, 6135);

    lblTag[0] = new QLabel(tr("To:"), this);
    lblTag[0]->setObjectName(QStringLiteral("lblTag0"));
    Layout::place(lblTag[0], 180, 165, 285, 210);
    txtTo = makeLineEdit(this, "txtTo");
    Layout::place(txtTo, 1260, 120, 3975, 375);
    cmdToHistory = Layout::button(this, "cmdToHistory", QStringLiteral("H!"), tr(" History "));
    Layout::place(cmdToHistory, 5280, 120, 375, 375);

    lblTag[1] = new QLabel(tr("Subject:"), this);
    lblTag[1]->setObjectName(QStringLiteral("lblTag1"));
    Layout::place(lblTag[1], 180, 645, 690, 210);
    for (QLabel* label : lblTag)
        Layout::fitCaption(label);
    txtSubject = makeLineEdit(this, "txtSubject");
    Layout::place(txtSubject, 1260, 600, 3975, 375);
    cmdSubjectHistory = Layout::button(this, "cmdSubjectHistory", QStringLiteral("H!"), tr(" History "));
    Layout::place(cmdSubjectHistory, 5280, 600, 375, 375);

    // Typing offers what the histories hold; the H! buttons offer it all.
    const auto entriesOf = [](const std::unique_ptr<HistoryList>& history) {
        return [&history] { return history ? history->entries() : QStringList(); };
    };
    new HistoryCompleter(txtTo, HistoryCompleter::Mode::LastAddress, entriesOf(ToHistory));
    new HistoryCompleter(txtSubject, HistoryCompleter::Mode::WholeText, entriesOf(SubjectHistory));

    txtMessage = new QPlainTextEdit(this);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setTabChangesFocus(true);
    Layout::place(txtMessage, 120, 1080, 5535, 2655);

    cmdSendHotkeyOption = Layout::button(this, "cmdSendHotkeyOption", tr("Ctrl+Enter"), QString());
    cmdSendHotkeyOption->setProperty(TagProperty, QStringLiteral("0"));
    Layout::place(cmdSendHotkeyOption, 120, 3840, 1215, 435);
    cmdServerSettings =
        Layout::button(this, "cmdServerSettings", QStringLiteral("S!"), tr(" Open server settings dialog "));
    Layout::place(cmdServerSettings, 1980, 3840, 435, 435);
    cmdOpenDataPath = Layout::button(this, "cmdOpenDataPath", QStringLiteral("D!"), tr(" Open data folder "));
    Layout::place(cmdOpenDataPath, 2520, 3840, 435, 435);
    cmdAttachments = Layout::button(this, "cmdAttachments", QStringLiteral("A! [0]"), tr(" Attach files "));
    Layout::place(cmdAttachments, 3060, 3840, 975, 435);
    cmdSend = Layout::button(this, "cmdSend", tr("Send"), tr(" Send the message "));
    cmdSend->setDefault(true);
    Layout::place(cmdSend, 4140, 3840, 1515, 435);

    ucaSending = new ucAnimation(this);
    ucaSending->setObjectName(QStringLiteral("ucaSending"));
    ucaSending->move(Layout::pixels(900), Layout::pixels(1380));
    ucaSending->hide();

    m_draftNotice = new DraftNotice(this);

    QWidget* tabOrder[] = {txtTo,
                           cmdToHistory,
                           txtSubject,
                           cmdSubjectHistory,
                           txtMessage,
                           cmdSendHotkeyOption,
                           cmdServerSettings,
                           cmdOpenDataPath,
                           cmdAttachments,
                           cmdSend};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
    for (QWidget* control : tabOrder)
        control->installEventFilter(this);
    installEventFilter(this);

    DescribeControls();
    TextDirection::followText(this);
    new SpellChecking(txtMessage);

    connect(cmdSend, &QPushButton::clicked, this, &frmMain::cmdSend_Click);
    connect(cmdSendHotkeyOption, &QPushButton::clicked, this, &frmMain::cmdSendHotkeyOption_Click);
    connect(cmdToHistory, &QPushButton::clicked, this, &frmMain::cmdToHistory_Click);
    connect(cmdSubjectHistory, &QPushButton::clicked, this, &frmMain::cmdSubjectHistory_Click);
    connect(cmdServerSettings, &QPushButton::clicked, this, &frmMain::cmdServerSettings_Click);
    connect(cmdOpenDataPath, &QPushButton::clicked, this, &frmMain::cmdOpenDataPath_Click);
    connect(cmdAttachments, &QPushButton::clicked, this, &frmMain::cmdAttachments_Click);
    connect(txtTo, &QLineEdit::textChanged, this, &frmMain::MessageChanged);
    connect(txtSubject, &QLineEdit::textChanged, this, &frmMain::MessageChanged);
    connect(txtMessage, &QPlainTextEdit::textChanged, this, &frmMain::MessageChanged);
}

void frmMain::Form_Load()
{
    ksCenterFormEx(this);
    if (!ksIsInIDE())
        ksSetWindowResIconAll(this, QStringLiteral("A_MAIN"));

    ToHistory = components().createHistoryList();
    ToHistory->open(ToHistoryFile, ApplicationIdentity::current());
    ToHistory->load();
    SubjectHistory = components().createHistoryList();
    SubjectHistory->open(SubjectHistoryFile, ApplicationIdentity::current());
    SubjectHistory->load();

    LoadSettings();
    m_draft = std::make_unique<DraftKeeper>(modMain::DataFolder, [this] {
        return Draft{txtTo->text(), txtSubject->text(),    txtMessage->toPlainText(),
                     Attachments,   GetSendHotkeyOption(), QString()};
    });
    connect(m_draft.get(), &DraftKeeper::writeFailed, m_draftNotice, &DraftNotice::showWriteFailure);
    txtMessage->setFocus();
    m_loaded = true;

    // From here on an unexpected failure must not lose the settings and
    // histories the user already had.
    LastResort::setRescue(this, [this] { RescueUserData(); });
}

void frmMain::StartMessage(const QString& recipients, const QString& subject, const QString& body)
{
    txtTo->setText(recipients);
    txtSubject->setText(subject);
    txtMessage->setPlainText(body);
}

void frmMain::RestoreDraft()
{
    const DraftStore::TakeOver takeOver = m_draft->takeOver();
    QStringList missing;
    if (const std::optional<Draft>& draft = takeOver.draft) {
        txtTo->setText(draft->to);
        txtSubject->setText(draft->subject);
        txtMessage->setPlainText(draft->body);
        QStringList attachments;
        for (const QString& path : draft->attachments)
            (QFileInfo(path).isFile() ? attachments : missing).append(path);
        Attachments = attachments;
        ShowAttachmentCount();
        SetSendHotkeyOption(draft->sendHotkeyOption);
    }
    m_draftNotice->showTakeOver(takeOver, missing);
}

void frmMain::MessageChanged()
{
    m_draftNotice->hide();
    if (m_draft)
        m_draft->changed();
}

void frmMain::UnloadBySystem()
{
    if (std::exchange(m_keepDraft, true))
        return;
    TryUnloadBySystem();
}

void frmMain::TryUnloadBySystem()
{
    // A dialog's own event loop must have returned before the window goes.
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->reject();
    else if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    if (IsBusy() || QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget()) {
        QTimer::singleShot(10, this, &frmMain::TryUnloadBySystem);
        return;
    }
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

bool frmMain::Form_QueryUnload()
{
    // A close while a history list is shown ends the list first; the window
    // closes once the pick has returned, as the unload frees the histories.
    if (m_picking) {
        m_closeAfterPick = true;
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        return false;
    }
    // Also refused while the send is being prepared: the window yields to
    // the event loop then, and an unload at that point would pull the
    // histories from under the running send.
    return !IsBusy();
}

void frmMain::Form_Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    // A failure while saving here is reported as it is; retrying the same
    // saves from the rescue would only fail again.
    LastResort::clearRescue(this);
    SaveSettings();
    SaveHistories();
    if (m_keepDraft)
        m_draft->keep(QStringLiteral("system"));
    else
        m_draft->discard();
}

void frmMain::SaveHistories()
{
    ToHistory->save();
    ToHistory.reset();
    SubjectHistory->save();
    SubjectHistory.reset();
}

void frmMain::RescueUserData()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    PendingError ignored;
    ignored.tolerate([this] { SaveSettings(); });
    ignored.tolerate([this] { ToHistory->save(); });
    ignored.tolerate([this] { SubjectHistory->save(); });
    ignored.tolerate([this] { m_draft->keep(QString()); });
}

void frmMain::paintEvent(QPaintEvent* event)
{
    Form_Paint();
    QWidget::paintEvent(event);
}

void frmMain::Form_Paint()
{
    ksPaintDesktop(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (HandleFileDrop(static_cast<QDropEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    // A closing popup (the completion list) gives back a focus the box never lost.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
        return false;
    if (event->type() == QEvent::FocusIn && (watched == txtTo || watched == txtSubject)) {
        if (watched == txtTo)
            txtTo_GotFocus();
        else
            txtSubject_GotFocus();
        // The click that gives the focus would drop the selection on release.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            watched->setProperty(SelectOnReleaseProperty, true);
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->property(SelectOnReleaseProperty).toBool()) {
        watched->setProperty(SelectOnReleaseProperty, false);
        auto* box = static_cast<QLineEdit*>(watched);
        if (!box->hasSelectedText())
            box->selectAll();
        return false;
    }
    if (event->type() == QEvent::KeyPress)
        return KeyDown(watched, static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

// The one dispatcher of the window's keys, for the controls and the window
// itself. A key is taken where it first arrives: at the focused control, or at
// the window when no control has the focus (as right after a modal dialog
// closed). A key the window acted on is consumed, so it neither reaches the
// control nor travels on to the window to be acted on again.
bool frmMain::KeyDown(QObject* watched, QKeyEvent* key)
{
    const QWidget* focused = QApplication::focusWidget();
    if (watched == this && focused && focused != this && isAncestorOf(focused))
        return false; // passed on by a control that saw it first
    const int keyCode = Keys::virtualKeyCode(key);
    const int shift = Keys::shiftState(key);
    if (Form_KeyDown(keyCode, shift))
        return true;
    if (watched == txtMessage && !IsBusy()) {
        txtMessage_KeyDown(keyCode, shift);
        if (txtMessage_KeyPress())
            return true;
    }
    return !IsBusy() && TryDefaultButton(watched, keyCode, shift);
}

bool frmMain::Form_KeyDown(int keyCode, int shift)
{
    if (IsBusy())
        return false;
    if (keyCode == Keys::F1 && shift == Keys::ShiftKey) {
        components().uiServices().showAboutBox(this, ApplicationIdentity::current(), QString(), QIcon(),
                                               AboutText);
    } else if (keyCode == Keys::Escape && shift == Keys::NoModifier) {
        close();
    } else if (keyCode == Keys::F2 && shift == Keys::NoModifier) {
        if (focusWidget() == txtSubject)
            txtMessage->setFocus(Qt::ShortcutFocusReason);
        else
            txtSubject->setFocus(Qt::ShortcutFocusReason);
    } else {
        return TrySendHotkey(keyCode, shift);
    }
    return true;
}

void frmMain::txtTo_GotFocus()
{
    ksHighlightText(txtTo);
}

void frmMain::txtSubject_GotFocus()
{
    ksHighlightText(txtSubject);
}

void frmMain::txtMessage_KeyDown(int keyCode, int shift)
{
    if (keyCode == Keys::A && shift == Keys::CtrlKey) {
        ksHighlightText(txtMessage);
        SuppressKeyPress = true;
        return;
    }
    if (GetSendHotkeyOption() == 0 && keyCode == Keys::Return && shift == Keys::CtrlKey) {
        // The key is kept from the box, so the body stays exactly as it was.
        SuppressKeyPress = true;
        PressSend();
    }
}

bool frmMain::txtMessage_KeyPress()
{
    if (!SuppressKeyPress)
        return false;
    SuppressKeyPress = false;
    return true;
}

bool frmMain::TryDefaultButton(QObject* watched, int keyCode, int shift)
{
    if (keyCode != Keys::Return || shift != Keys::NoModifier)
        return false;
    // Enter presses the focused button, else the default button if there is one.
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        button->click();
        return true;
    }
    if (!cmdSend->isDefault())
        return false;
    cmdSend->click();
    return true;
}

void frmMain::SetSendHotkeyOption(int option)
{
    if (option < 0 || option > 3)
        option = 0;
    cmdSendHotkeyOption->setProperty(TagProperty, QString::number(option));
    cmdSendHotkeyOption->setText(SendHotkeyCaption(option));
    cmdSendHotkeyOption->setAccessibleName(tr("Send key: ") + SendHotkeyCaption(option));
    cmdSendHotkeyOption->setToolTip(
        tr(" %1 sends the message; click to choose another key ").arg(SendHotkeyCaption(option)));
    cmdSend->setDefault(option == 1);
}

int frmMain::GetSendHotkeyOption() const
{
    bool ok = false;
    const int option = cmdSendHotkeyOption->property(TagProperty).toString().toInt(&ok);
    return ok ? option : 0;
}

QString frmMain::SendHotkeyCaption(int option)
{
    switch (option) {
    case 0:
        return tr("Ctrl+Enter");
    case 1:
        return tr("Enter");
    case 2:
        return QStringLiteral("F5");
    case 3:
        return QStringLiteral("F12");
    default:
        return QStringLiteral("?");
    }
}

bool frmMain::TrySendHotkey(int keyCode, int shift)
{
    const int option = GetSendHotkeyOption();
    if ((option == 2 && keyCode == Keys::F5 && shift == Keys::NoModifier) ||
        (option == 3 && keyCode == Keys::F12 && shift == Keys::NoModifier)) {
        PressSend();
        return true;
    }
    return false;
}

void frmMain::PressSend()
{
    components().uiServices().pressButton(cmdSend);
}

void frmMain::cmdSendHotkeyOption_Click()
{
    int option = GetSendHotkeyOption() + 1;
    if (option >= 4)
        option = 0;
    SetSendHotkeyOption(option);
    MessageChanged();
}

void frmMain::cmdToHistory_Click()
{
    PickHistory(*ToHistory, txtTo);
}

void frmMain::cmdSubjectHistory_Click()
{
    PickHistory(*SubjectHistory, txtSubject);
}

void frmMain::PickHistory(HistoryList& history, QLineEdit* box)
{
    {
        const QScopedValueRollback picking(m_picking, true);
        history.pick(box);
    }
    if (std::exchange(m_closeAfterPick, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::cmdServerSettings_Click()
{
    // A fresh dialog for each opening, filled from the settings in memory.
    frmSettings dialog;
    // Saved at once, so that an end without a close keeps the new settings.
    if (dialog.exec() == QDialog::Accepted)
        SaveSettings();
}

void frmMain::cmdOpenDataPath_Click()
{
    if (!Shell::openFolder(modMain::DataFolder))
        MessageBox::show(this,
                         modMain::DataFolder + QStringLiteral("\r\n\r\n") + tr("Can't open data folder."),
                         MessageBox::Critical);
}

void frmMain::cmdAttachments_Click()
{
    {
        frmAttachments dialog(Attachments, this);
        dialog.exec();
    }
    ShowAttachmentCount();
}

void frmMain::ShowAttachmentCount()
{
    cmdAttachments->setText(QStringLiteral("A! [%1]").arg(Attachments.size()));
    cmdAttachments->setAccessibleName(tr("Attachments: %1").arg(Attachments.size()));
    MessageChanged();
}

void frmMain::AcceptFileDrops()
{
    // Drops on the buttons and labels reach the window; the text boxes take
    // drops themselves, so the window's filter sees theirs first.
    setAcceptDrops(true);
    txtMessage->viewport()->installEventFilter(this);
}

bool frmMain::HandleFileDrop(QDropEvent* event)
{
    // Only files are attached; dragged text or a web link is left to the box under it.
    if (!AttachmentFiles::offersLocalFiles(event->mimeData()))
        return false;
    const QStringList files = AttachmentFiles::droppedFiles(event->mimeData());
    // A folder alone is refused rather than pasted as its address; while a
    // send reads the attachments they must not change.
    if (files.isEmpty() || IsBusy()) {
        event->ignore();
        return true;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (event->type() == QEvent::Drop)
        AttachFiles(files);
    return true;
}

void frmMain::AttachFiles(const QStringList& files)
{
    Attachments.append(AttachmentFiles::newFiles(Attachments, files));
    ShowAttachmentCount();
}

void frmMain::LoadSettings()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    const std::unique_ptr<SettingsStore> store = components().createSettingsStore();
    std::array<QVariant, SettingCount> stored;
    const auto read = [&](std::size_t row) {
        const StoredSetting& setting = storedSettings()[row];
        stored[row] = store->read(setting.section, setting.key, setting.kind, identity, setting.defaultValue);
        return stored[row];
    };

    txtTo->setText(read(0).toString());
    SetSendHotkeyOption(read(1).toInt());
    MailSettings::MailFrom = read(2).toString();
    MailSettings::UserName = read(3).toString();
    MailSettings::Password = modPasswordCryptor::UnscramblePassword(read(PasswordSetting).toString());
    MailSettings::SMTPServer = read(5).toString();
    MailSettings::SMTPServerPort = read(6).toInt();
    MailSettings::UseSSL = read(7).toBool();
    MailSettings::TempFilePrefix = read(8).toBool();
    m_loadedSettings = {stored, SettingValues()};
}

void frmMain::SaveSettings()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    const std::unique_ptr<SettingsStore> store = components().createSettingsStore();
    const std::array<QVariant, SettingCount> values = SettingValues();
    LoadedSettings written = m_loadedSettings;
    for (std::size_t row = 0; row < SettingCount; ++row) {
        const StoredSetting& setting = storedSettings()[row];
        const bool changedHere = values[row] != m_loadedSettings.values[row];
        // A value this window left alone stays as another window stored it meanwhile.
        if (!changedHere && store->read(setting.section, setting.key, setting.kind, identity,
                                        setting.defaultValue) != m_loadedSettings.stored[row])
            continue;
        QVariant value = values[row];
        if (row == PasswordSetting) {
            // Scrambling is random: an unchanged password keeps the form it is stored in.
            value = changedHere || MailSettings::Password.isEmpty()
                        ? modPasswordCryptor::ScramblePassword(MailSettings::Password)
                        : m_loadedSettings.stored[row];
        }
        store->write(setting.section, setting.key, setting.kind, value, identity);
        written.stored[row] = value;
        written.values[row] = values[row];
    }
    store->commit();
    // A later save compares with what this one stored.
    m_loadedSettings = written;
}

std::array<QVariant, frmMain::SettingCount> frmMain::SettingValues() const
{
    return {txtTo->text(),
            GetSendHotkeyOption(),
            MailSettings::MailFrom,
            MailSettings::UserName,
            MailSettings::Password,
            MailSettings::SMTPServer,
            MailSettings::SMTPServerPort,
            MailSettings::UseSSL,
            MailSettings::TempFilePrefix};
}

void frmMain::cmdSend_Click()
{
    if (std::exchange(m_sendRunning, true))
        return;
    EnableControls(false);
    SendMail();
    EnableControls(true);
    m_sendRunning = false;
}

void frmMain::EnableControls(bool Enabled)
{
    if (!Enabled)
        m_focusBeforeLock = focusWidget();
    QWidget* const controls[] = {
        txtMessage,          txtTo,     txtSubject, cmdSend,      cmdOpenDataPath,   cmdServerSettings,
        cmdSendHotkeyOption, lblTag[0], lblTag[1],  cmdToHistory, cmdSubjectHistory, cmdAttachments};
    for (QWidget* control : controls)
        control->setEnabled(Enabled);

    ucaSending->move((width() - ucaSending->width()) / 2, (height() - ucaSending->height()) / 2);
    ucaSending->setVisible(!Enabled);
    ucaSending->raise();
    ucaSending->SetEnabled(!Enabled);

    if (!Enabled) {
        // Let the locked window paint before the send blocks.
        QCoreApplication::processEvents();
        // This window's pointer only: the prompt and the boxes a send shows wait for the user.
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
        if (m_focusBeforeLock)
            m_focusBeforeLock->setFocus();
    }
}

void frmMain::SendMail()
{
    if (MailSettings::MailFrom.isEmpty() || MailSettings::UserName.isEmpty() ||
        MailSettings::Password.isEmpty() || MailSettings::SMTPServer.isEmpty() ||
        MailSettings::SMTPServerPort == 0) {
        MessageBox::show(this, tr("Please configure server first."), MessageBox::Critical);
        return;
    }
    if (txtTo->text().isEmpty()) {
        MessageBox::show(this, tr("The nature don't like emptiness."), MessageBox::Critical);
        return;
    }
    if (ksTrimEx(txtSubject->text()).isEmpty()) {
        frmSubject prompt(this);
        prompt.exec();
        if (!prompt.Ok)
            return;
        txtSubject->setText(prompt.txtSubject->text());
    }

    PendingError pending;
    pending.tolerate([this] { ToHistory->add(txtTo->text()); });
    pending.tolerate([this] { SubjectHistory->add(txtSubject->text()); });

    Sending = true;
    std::unique_ptr<MailMessage> message;
    const auto step = [&](const auto& setValue) {
        pending.tolerate([&] {
            if (!message)
                message = components().createMailMessage();
            setValue(*message);
        });
    };
    step([](MailMessage& m) { m.setFrom(MailSettings::MailFrom); });
    step([this](MailMessage& m) { m.setTo(txtTo->text()); });
    step([this](MailMessage& m) { m.setSubject(txtSubject->text()); });
    step([](MailMessage& m) { m.setUserName(MailSettings::UserName); });
    step([](MailMessage& m) { m.setPassword(MailSettings::Password); });
    step([this](MailMessage& m) { m.setBody(txtMessage->toPlainText()); });
    step([](MailMessage& m) { m.setServer(MailSettings::SMTPServer); });
    step([](MailMessage& m) { m.setPort(MailSettings::SMTPServerPort); });
    step([](MailMessage& m) { m.setUseSSL(MailSettings::UseSSL); });
    step([](MailMessage& m) {
        const ApplicationIdentity& identity = ApplicationIdentity::current();
        m.setMailer(identity.title + QLatin1Char(' ') +
                    ksFormatVersion(identity.major, identity.minor, identity.revision));
    });
    for (const QString& path : std::as_const(Attachments))
        step([&path](MailMessage& m) { m.addAttachment(path); });
    // A message that could not be put together as the user wrote it (a
    // rejected address or attachment) is not sent at all: sending it short
    // and then reporting a failure would invite a second, duplicate send.
    if (!pending.isPending())
        step([](MailMessage& m) { m.send(); });
    Sending = false;

    if (pending.isPending()) {
        components().errorReporter().reportError(pending.error(), MessageBox::Critical,
                                                 tr("Can't send mail."));
        return;
    }

    const QDateTime sendTime = QDateTime::currentDateTime();
    MessageSource source;
    if (pending.tolerate([&] { source = message->source(); }))
        SaveLocalCopy(sendTime, source);
    // The message went: nothing of it is kept, however the program ends now.
    m_keepDraft = false;
    ksUnloadForm(this);
}

void frmMain::SaveLocalCopy(const QDateTime& sendTime, const MessageSource& text)
{
    PendingError pending;
    QString fullPath;
    pending.tolerate([&] {
        const QString name =
            (MailSettings::TempFilePrefix ? QStringLiteral("~$") : QString()) + QStringLiteral("Mail ") +
            QLocale::c().toString(sendTime, QStringLiteral("yyyy-MM-dd hh-mm-ss")) + QStringLiteral(".EML");
        fullPath = ksBuildFileName(modMain::DataFolder, name);
    });
    for (;;) {
        // Each attempt is judged on its own: an earlier failure must not
        // count against a write that succeeds on retry.
        pending.clear();
        pending.tolerate([&] { components().textFileWriter().writeTextFile(fullPath, text); });
        if (!pending.isPending())
            return;
        const int answer = components().errorReporter().reportError(
            pending.error(), MessageBox::Critical | MessageBox::RetryCancel,
            fullPath + QStringLiteral("\r\n\r\n") +
                tr("Can't write file. Local copy of this message was not saved."));
        if (answer != MessageBox::AnswerRetry)
            return;
    }
}

void frmMain::DescribeControls()
{
    // The captions are terse ("H!", "A! [0]"); a screen reader says these instead.
    lblTag[0]->setBuddy(txtTo);
    lblTag[1]->setBuddy(txtSubject);
    Accessibility::describe(txtTo, tr("To"), tr("Recipients, separated by commas or semicolons"));
    Accessibility::describe(cmdToHistory, tr("Recipient history"),
                            tr("Offers the recipients of earlier messages"));
    Accessibility::describe(txtSubject, tr("Subject"), tr("Subject of the message"));
    Accessibility::describe(cmdSubjectHistory, tr("Subject history"),
                            tr("Offers the subjects of earlier messages"));
    Accessibility::describe(txtMessage, tr("Message"), tr("Text of the message"));
    Accessibility::describe(cmdSendHotkeyOption, tr("Send key: Ctrl+Enter"),
                            tr("Chooses the key that sends: Ctrl+Enter, Enter, F5 or F12"));
    Accessibility::describe(cmdServerSettings, tr("Server settings"), tr("Opens the server settings dialog"));
    Accessibility::describe(cmdOpenDataPath, tr("Open data folder"),
                            tr("Opens the folder with the copies of sent messages"));
    Accessibility::describe(cmdAttachments, tr("Attachments: 0"), tr("Opens the list of attached files"));
    Accessibility::describe(cmdSend, tr("Send"), tr("Sends the message"));
}
