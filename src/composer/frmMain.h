#pragma once

#include <QDateTime>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <array>
#include <memory>

class DraftKeeper;
class DraftNotice;
class HistoryList;
class MessageSource;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ucAnimation;

// The composer: recipient, subject, body and the row of buttons. Loading it
// reads the settings and histories; unloading it writes them back; a
// successful send closes it.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The attachments of the next message, full paths in list order; the
    // attachment dialog puts a new list in its place.
    QStringList Attachments;

    // The stored settings: the recipient, the hot-key option and MailSettings.
    static constexpr std::size_t SettingCount = 9;

    // Starts the message a mail link asked for; its recipients replace the
    // ones loaded from the last run.
    void StartMessage(const QString& recipients, const QString& subject, const QString& body);
    // Brings back the message a run that ended without a normal close left.
    void RestoreDraft();
    // The system ends the program (a logout, a shutdown, a termination
    // signal): open dialogs are cancelled, a send in progress is let finish,
    // then the window closes as it normally does but keeps the message for
    // the next start.
    void UnloadBySystem();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsBusy() const { return Sending || m_sendRunning; }

private:
    void CreateControls();
    void DescribeControls();
    void Form_Load();
    bool Form_QueryUnload();
    void Form_Unload();
    void Form_Paint();
    bool Form_KeyDown(int keyCode, int shift);
    bool KeyDown(QObject* watched, QKeyEvent* key);
    void txtTo_GotFocus();
    void txtSubject_GotFocus();
    void txtMessage_KeyDown(int keyCode, int shift);
    bool txtMessage_KeyPress();
    void cmdSend_Click();
    void cmdSendHotkeyOption_Click();
    void cmdToHistory_Click();
    void cmdSubjectHistory_Click();
    // While the list is shown its history must stay: a close waits for it to go.
    void PickHistory(HistoryList& history, QLineEdit* box);
    void cmdServerSettings_Click();
    void cmdOpenDataPath_Click();
    void cmdAttachments_Click();

    // Files dropped anywhere on the window are attached as if chosen in the
    // attachment dialog; other drops go on to the control under them.
    void AcceptFileDrops();
    bool HandleFileDrop(QDropEvent* event);
    void AttachFiles(const QStringList& files);
    void ShowAttachmentCount();

    void LoadSettings();
    void SaveSettings();
    // The memory side of each stored setting, in their order; the password plain.
    std::array<QVariant, SettingCount> SettingValues() const;
    void SaveHistories();
    // Saves what a failure must not lose; each part on its own.
    void RescueUserData();
    // A part of the message changed: the draft follows.
    void MessageChanged();
    void TryUnloadBySystem();

    void SetSendHotkeyOption(int option);
    int GetSendHotkeyOption() const;
    static QString SendHotkeyCaption(int option);
    bool TrySendHotkey(int keyCode, int shift);
    void PressSend();
    bool TryDefaultButton(QObject* watched, int keyCode, int shift);

    void EnableControls(bool Enabled);
    void SendMail();
    void SaveLocalCopy(const QDateTime& sendTime, const MessageSource& text);

    QLabel* lblTag[2] = {};
    QLineEdit* txtTo = nullptr;
    QPushButton* cmdToHistory = nullptr;
    QLineEdit* txtSubject = nullptr;
    QPushButton* cmdSubjectHistory = nullptr;
    QPlainTextEdit* txtMessage = nullptr;
    QPushButton* cmdSendHotkeyOption = nullptr;
    QPushButton* cmdServerSettings = nullptr;
    QPushButton* cmdOpenDataPath = nullptr;
    QPushButton* cmdAttachments = nullptr;
    QPushButton* cmdSend = nullptr;
    ucAnimation* ucaSending = nullptr;
    QFrame* shpBack = nullptr;

    static constexpr std::size_t PasswordSetting = 4;
    // What the store held when this window loaded, and what that became in
    // memory. A save writes a value this window changed, or one nobody else
    // has stored since: two windows must not undo each other's settings.
    struct LoadedSettings {
        std::array<QVariant, SettingCount> stored;
        std::array<QVariant, SettingCount> values;
    };
    LoadedSettings m_loadedSettings;

    std::unique_ptr<DraftKeeper> m_draft;
    DraftNotice* m_draftNotice = nullptr;
    // Set when the system ends the program, cleared by a successful send.
    bool m_keepDraft = false;

    std::unique_ptr<HistoryList> ToHistory;
    std::unique_ptr<HistoryList> SubjectHistory;
    bool SuppressKeyPress = false;
    bool Sending = false;
    // True from locking the window to unlocking it, around the whole send.
    bool m_sendRunning = false;
    bool m_loaded = false;
    bool m_picking = false;
    bool m_closeAfterPick = false;
    QPointer<QWidget> m_focusBeforeLock;
};
