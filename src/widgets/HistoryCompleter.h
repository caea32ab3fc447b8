#pragma once

#include <QCompleter>
#include <QStringList>
#include <functional>

class QAbstractItemView;
class QKeyEvent;
class QLineEdit;
class QStringListModel;

// Offers, while the user types, the history entries that begin with the
// text, ignoring letter case. For a recipient box the piece after the last
// "," or ";" is matched against each address of the entries (the address or
// its display name), and choosing one completes that piece only.
//
// The open list keeps only its own keys: the arrows, Esc (which closes the
// list alone) and Enter on an entry the user moved to. Enter otherwise and
// the function keys close the list and then go to the box as they would
// without it, so the window's key map and default button see them.
class HistoryCompleter : public QCompleter
{
    Q_OBJECT
public:
    enum class Mode { WholeText, LastAddress };

    HistoryCompleter(QLineEdit* box, Mode mode, std::function<QStringList()> entries);

    QString pathFromIndex(const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Candidate {
        QString text;
        QStringList keys;
    };

    void Offer(const QString& text);
    bool IsWindowKey(const QKeyEvent* key) const;
    const QList<Candidate>& Candidates();

    Mode m_mode;
    std::function<QStringList()> m_entries;
    QStringListModel* m_model;
    QAbstractItemView* m_list = nullptr;
    // The box's text before the piece being completed.
    QString m_head;
    QStringList m_candidatesFrom;
    QList<Candidate> m_candidates;
};
