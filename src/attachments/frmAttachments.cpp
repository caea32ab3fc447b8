#include "frmAttachments.h"

#include "attachments/AttachmentFiles.h"
#include "attachments/modListBoxSupport.h"
#include "platform/Accessibility.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/FileDialog.h"
#include "platform/Keys.h"
#include "platform/Layout.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsStore.h"
#include "platform/Support.h"
#include "platform/UiServices.h"

#include <QDropEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <vector>

using namespace modListBoxSupport;

namespace
{

const QString OfnSection = QStringLiteral("OFN Paths");
const QString LastFolderKey = QStringLiteral("Last add attachment directory");

} // namespace

frmAttachments::frmAttachments(QStringList& attachments, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_attachments(attachments)
{
    setObjectName(QStringLiteral("frmAttachments"));
    setModal(true);
    setFont(Layout::windowFont());
    setWindowTitle(tr("Attachments"));
    Layout::fixClientSize(this, 6015, 4155);

    lblSize = new QLabel(tr("Total size: 0 bytes"), this);
    lblSize->setObjectName(QStringLiteral("lblSize"));
    Layout::place(lblSize, 180, 120, 1500, 210);

    lstFileNames = new QListWidget(this);
    lstFileNames->setObjectName(QStringLiteral("lstFileNames"));
    lstFileNames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstFileNames->setSortingEnabled(false);
    lstFileNames->setUniformItemSizes(true);
    lstFileNames->viewport()->setAcceptDrops(true);
    Layout::place(lstFileNames, 120, 480, 5775, 3000);

    cmdAdd = Layout::button(this, "cmdAdd", QStringLiteral("+"), tr(" Add attachments (Ins) "));
    Layout::place(cmdAdd, 120, 3600, 435, 435);

    cmdRemove =
        Layout::button(this, "cmdRemove", QStringLiteral("X"), tr(" Remove selected attachments (Del) "));
    Layout::place(cmdRemove, 660, 3600, 435, 435);

    cmdOk = Layout::button(this, "cmdOk", tr("Ok"), tr(" Keep these attachments "));
    cmdOk->setDefault(true);
    Layout::place(cmdOk, 3000, 3600, 1395, 435);

    cmdCancel = Layout::button(this, "cmdCancel", tr("Отмена"), tr(" Leave the attachments as they were "));
    Layout::place(cmdCancel, 4500, 3600, 1395, 435);

    for (QWidget* control :
         {static_cast<QWidget*>(lblSize), static_cast<QWidget*>(lstFileNames), static_cast<QWidget*>(cmdAdd),
          static_cast<QWidget*>(cmdRemove), static_cast<QWidget*>(cmdOk), static_cast<QWidget*>(cmdCancel)}) {
        control->setFont(Layout::windowFont());
        // The form sees every key before the focused control.
        control->installEventFilter(this);
    }
    lstFileNames->viewport()->installEventFilter(this);

    DescribeControls();

    setTabOrder(lstFileNames, cmdAdd);
    setTabOrder(cmdAdd, cmdRemove);
    setTabOrder(cmdRemove, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    connect(cmdAdd, &QPushButton::clicked, this, &frmAttachments::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmAttachments::cmdRemove_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmAttachments::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAttachments::cmdCancel_Click);

    Form_Load();
    lstFileNames->setFocus();
}

void frmAttachments::DescribeControls()
{
    Accessibility::describe(lstFileNames, tr("Attached files"),
                            tr("Ins adds files, Del removes the selected ones, Ctrl+A selects all"));
    Accessibility::describe(cmdAdd, tr("Add attachments"), tr("Adds files (Ins)"));
    Accessibility::describe(cmdRemove, tr("Remove selected attachments"),
                            tr("Removes the selected files from the list (Del)"));
    Accessibility::describe(cmdOk, cmdOk->text(), tr("Attaches the listed files and closes"));
    Accessibility::describe(cmdCancel, cmdCancel->text(),
                            tr("Cancel: closes without changing the attachments"));
}

void frmAttachments::Form_Load()
{
    ksCenterFormEx(this);
    Layout::removeWindowIcon(this);
    LoadAttachments();
    UpdateInfo();
}

void frmAttachments::paintEvent(QPaintEvent* event)
{
    ksPaintDesktop(this);
    QDialog::paintEvent(event);
}

bool frmAttachments::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return Form_KeyDown(static_cast<QKeyEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == lstFileNames->viewport())
            return HandleDrop(event);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAttachments::keyPressEvent(QKeyEvent* event)
{
    if (!Form_KeyDown(event))
        QDialog::keyPressEvent(event);
}

bool frmAttachments::Form_KeyDown(QKeyEvent* event)
{
    const int key = Keys::virtualKeyCode(event);
    const int shift = Keys::shiftState(event);

    if (key == Keys::F1 && shift == Keys::ShiftKey) {
        components().uiServices().showAboutBox(this, ApplicationIdentity::current(), QString(), QIcon(),
                                               QStringLiteral("Велара"));
        return true;
    }
    if (key == Keys::A && shift == Keys::CtrlKey) {
        ListBoxSelectAll(lstFileNames);
        return true;
    }
    if (key == Keys::Escape && shift == Keys::NoModifier) {
        reject();
        return true;
    }
    if (key == Keys::Delete && shift == Keys::NoModifier) {
        RemoveSelectedFiles();
        return true;
    }
    if (key == Keys::Insert && shift == Keys::NoModifier) {
        AddFiles();
        return true;
    }
    return false;
}

void frmAttachments::cmdAdd_Click()
{
    AddFiles();
}

void frmAttachments::cmdRemove_Click()
{
    RemoveSelectedFiles();
}

void frmAttachments::cmdOk_Click()
{
    StoreAttachments();
    accept();
}

void frmAttachments::cmdCancel_Click()
{
    reject();
}

void frmAttachments::UpdateInfo()
{
    setWindowTitle(tr("Attachments :: %1").arg(lstFileNames->count()));
    lblSize->setText(tr("Total size: %1").arg(ksFormatByteSizeEx(GetTotalSize())));
    Layout::fitCaption(lblSize);
}

double frmAttachments::GetTotalSize() const
{
    double total = 0;
    const int count = lstFileNames->count();
    for (int i = 0; i < count; ++i) {
        // A file that cannot be measured (gone, unreadable) adds nothing; the others still count.
        try {
            total += ksGetFileSizeEx(lstFileNames->item(i)->text());
        } catch (const RuntimeError&) {
        }
    }
    return total;
}

void frmAttachments::RemoveSelectedFiles()
{
    const int count = lstFileNames->count();
    if (count == 0)
        return;
    if (ListBoxGetSelCount(lstFileNames) <= 0)
        return;
    if (MessageBox::show(this, tr("Remove selected files?"), MessageBox::OkCancel | MessageBox::Question) !=
        MessageBox::AnswerOk)
        return;

    std::vector<bool> selected(static_cast<size_t>(count), false);
    for (const QModelIndex& index : lstFileNames->selectionModel()->selectedRows())
        selected[static_cast<size_t>(index.row())] = true;

    // Rebuilding the list keeps removal linear however many entries are selected.
    // The entry after the last removed one moves up to where that one stood.
    QStringList remaining;
    remaining.reserve(count);
    int removed = 0;
    int lastRemovedAt = 0;
    for (int i = 0; i < count; ++i) {
        if (selected[static_cast<size_t>(i)]) {
            lastRemovedAt = i - removed;
            ++removed;
        } else {
            remaining.append(lstFileNames->item(i)->text());
        }
    }
    lstFileNames->clear();
    lstFileNames->addItems(remaining);
    UpdateInfo();

    const int left = lstFileNames->count();
    if (left == 0)
        return;
    const int k = lastRemovedAt == left ? left - 1 : lastRemovedAt;
    lstFileNames->setCurrentRow(k, QItemSelectionModel::ClearAndSelect);
}

void frmAttachments::AddFiles()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    const std::unique_ptr<SettingsStore> store = components().createSettingsStore();
    const std::unique_ptr<FileDialog> dialog = components().createFileDialog();

    dialog->setFilter(tr("All files|*.*"));
    dialog->setFlags(0);
    dialog->setOwner(this);
    dialog->setInitialDirectory(
        store->read(OfnSection, LastFolderKey, SettingsStore::Text, identity, QString()).toString());
    dialog->setMultiSelect(true);
    if (!dialog->showOpen())
        return;

    const QStringList chosen = dialog->fileNames();
    // A confirmation without a file is no choice: nothing to remember or add.
    if (chosen.isEmpty())
        return;
    store->write(OfnSection, LastFolderKey, SettingsStore::Text, ksGetFilePath(chosen.first()), identity);
    store->commit();

    AppendNewFiles(chosen);
    UpdateInfo();
}

void frmAttachments::AppendNewFiles(const QStringList& paths)
{
    const int count = lstFileNames->count();
    QStringList listed;
    listed.reserve(count);
    for (int i = 0; i < count; ++i)
        listed.append(lstFileNames->item(i)->text());
    const QStringList added = AttachmentFiles::newFiles(listed, paths);
    if (!added.isEmpty())
        lstFileNames->addItems(added);
}

bool frmAttachments::HandleDrop(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = AttachmentFiles::droppedFiles(drop->mimeData());
    if (files.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        // A drop is no choice in the file dialog: the folder it opens in stays as it was.
        AppendNewFiles(files);
        UpdateInfo();
    }
    return true;
}

void frmAttachments::LoadAttachments()
{
    lstFileNames->addItems(m_attachments);
    if (lstFileNames->count() > 0)
        lstFileNames->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void frmAttachments::StoreAttachments()
{
    QStringList stored;
    const int count = lstFileNames->count();
    stored.reserve(count);
    for (int i = 0; i < count; ++i)
        stored.append(lstFileNames->item(i)->text());
    m_attachments = stored;
}
