#pragma once

#include <QCompleter>
#include <QStringList>
#include <functional>

class QLineEdit;
class QStringListModel;

// Offers, while the user types, the history entries that begin with the
// text, ignoring letter case. For a recipient box the piece after the last
// "," or ";" is matched against each address of the entries (the address or
// its display name), and choosing one completes that piece only.
class HistoryCompleter : public QCompleter
{
    Q_OBJECT
public:
    enum class Mode { WholeText, LastAddress };

    HistoryCompleter(QLineEdit* box, Mode mode, std::function<QStringList()> entries);

    QString pathFromIndex(const QModelIndex& index) const override;

private:
    struct Candidate {
        QString text;
        QStringList keys;
    };

    void Offer(const QString& text);
    const QList<Candidate>& Candidates();

    Mode m_mode;
    std::function<QStringList()> m_entries;
    QStringListModel* m_model;
    // The box's text before the piece being completed.
    QString m_head;
    QStringList m_candidatesFrom;
    QList<Candidate> m_candidates;
};
