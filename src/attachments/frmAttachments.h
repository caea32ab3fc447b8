#pragma once

#include <QDialog>
#include <QStringList>

class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;

// The modal dialog in which the user edits the files attached to the
// message. It works on a copy and replaces the composer's collection on OK.
class frmAttachments : public QDialog
{
    Q_OBJECT
public:
    frmAttachments(QStringList& attachments, QWidget* owner);

    QLabel* lblSize;
    QListWidget* lstFileNames;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

public slots:
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void DescribeControls();
    // True when the key acted; the focused control must not see it then.
    bool Form_KeyDown(QKeyEvent* event);

    // Invokable so a benchmark can time one refresh on its own.
    Q_INVOKABLE void UpdateInfo();
    double GetTotalSize() const;
    void RemoveSelectedFiles();
    void AddFiles();
    void LoadAttachments();
    void StoreAttachments();

    // Appends the paths the list does not hold yet, in their order.
    void AppendNewFiles(const QStringList& paths);
    bool HandleDrop(QEvent* event);

    QStringList& m_attachments;
};
