#include "frmSubject.h"

#include "platform/Accessibility.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/HistoryList.h"
#include "platform/Layout.h"
#include "platform/Support.h"
#include "widgets/HistoryCompleter.h"
#include "widgets/TextDirection.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <exception>
#include <limits>

frmSubject::frmSubject(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmSubject"));
    setWindowTitle(tr("Subject is missing (you still can leave it blank)"));
    setModal(true);
    setFont(Layout::windowFont());
    Layout::fixClientSize(this, 4635, 1095);

    shpBack = new QFrame(this);
    shpBack->setObjectName(QStringLiteral("shpBack"));
    shpBack->setFrameShape(QFrame::NoFrame);
    shpBack->setAttribute(Qt::WA_TransparentForMouseEvents);
    Layout::place(shpBack, -660, -120, 2235, 3975);

    txtSubject = new QLineEdit(this);
    txtSubject->setObjectName(QStringLiteral("txtSubject"));
    // The composer takes this text as it stands: no limit that would cut it.
    txtSubject->setMaxLength(std::numeric_limits<int>::max());
    Layout::place(txtSubject, 120, 120, 3975, 375);
    txtSubject->installEventFilter(this);

    cmdSubjectHistory = Layout::button(this, "cmdSubjectHistory", QStringLiteral("H!"), tr(" History "));
    Layout::place(cmdSubjectHistory, 4140, 120, 375, 375);

    cmdOk = Layout::button(this, "cmdOk", tr("Ok"), tr(" Send with this subject "));
    cmdOk->setDefault(true);
    Layout::place(cmdOk, 2100, 600, 1155, 375);

    cmdCancel = Layout::button(this, "cmdCancel", tr("Отмена"), tr(" Back to the message without sending "));
    Layout::place(cmdCancel, 3360, 600, 1155, 375);

    Accessibility::describe(txtSubject, tr("Subject"), tr("Subject of the message; it may stay blank"));
    Accessibility::describe(cmdSubjectHistory, tr("Subject history"),
                            tr("Offers the subjects of earlier messages"));
    Accessibility::describe(cmdOk, cmdOk->text(), tr("Sends the message with this subject"));
    Accessibility::describe(cmdCancel, cmdCancel->text(),
                            tr("Cancel: goes back to the message without sending"));

    new HistoryCompleter(txtSubject, HistoryCompleter::Mode::WholeText,
                         [this] { return history ? history->entries() : QStringList(); });

    TextDirection::followText(this);
    shpBack->lower();
    for (QWidget* control : {static_cast<QWidget*>(txtSubject), static_cast<QWidget*>(cmdSubjectHistory),
                             static_cast<QWidget*>(cmdOk), static_cast<QWidget*>(cmdCancel)})
        control->setFont(Layout::windowFont());
    setTabOrder(txtSubject, cmdSubjectHistory);
    setTabOrder(cmdSubjectHistory, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    txtSubject->setFocus();

    connect(cmdSubjectHistory, &QPushButton::clicked, this, &frmSubject::cmdSubjectHistory_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmSubject::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSubject::cmdCancel_Click);

    Form_Load();
}

frmSubject::~frmSubject() = default;

void frmSubject::Form_Load()
{
    ksCenterFormEx(this);
    Layout::removeWindowIcon(this);
    // The prompt is useful without its history: a list that cannot be opened
    // or read is dropped, and the history button then offers nothing.
    try {
        std::unique_ptr<HistoryList> list = components().createHistoryList();
        list->open(QStringLiteral("Subject History.DAT"), ApplicationIdentity::current());
        list->load();
        history = std::move(list);
    } catch (const std::exception&) {
        history.reset();
    }
}

void frmSubject::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    ksPaintDesktop(this);
}

bool frmSubject::eventFilter(QObject* watched, QEvent* event)
{
    // A closing popup (the completion list) gives back a focus the box never lost.
    if (watched == txtSubject && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        txtSubject_GotFocus();
    return QDialog::eventFilter(watched, event);
}

void frmSubject::txtSubject_GotFocus()
{
    ksHighlightText(QApplication::focusWidget() ? QApplication::focusWidget() : txtSubject);
}

void frmSubject::cmdSubjectHistory_Click()
{
    if (history)
        history->pick(txtSubject);
}

void frmSubject::cmdOk_Click()
{
    Ok = true;
    hide();
}

void frmSubject::cmdCancel_Click()
{
    Ok = false;
    hide();
}

void frmSubject::reject()
{
    cmdCancel->click();
}

void frmSubject::Unload()
{
    unloading = true;
    close();
}

void frmSubject::closeEvent(QCloseEvent* event)
{
    if (unloading) {
        event->accept();
        return;
    }
    // Closing by any other way than the program's own counts as Cancel.
    event->ignore();
    Ok = false;
    hide();
}
