#include "HistoryCompleter.h"

#include "platform/MailComponent.h"
#include "platform/RuntimeError.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QStringListModel>
#include <memory>

namespace
{

const QRegularExpression& separators()
{
    static const QRegularExpression expression(QStringLiteral("[,;]"));
    return expression;
}

// The addresses of one history entry; pieces that are no address are left out.
QList<MailAddress> addressesOf(const QString& entry)
{
    try {
        return MailComponent::parseAddressList(entry, QStringLiteral("recipient"));
    } catch (const RuntimeError&) {
    }
    QList<MailAddress> addresses;
    for (const QString& piece : entry.split(separators(), Qt::SkipEmptyParts)) {
        try {
            addresses += MailComponent::parseAddressList(piece, QStringLiteral("recipient"));
        } catch (const RuntimeError&) {
        }
    }
    return addresses;
}

} // namespace

HistoryCompleter::HistoryCompleter(QLineEdit* box, Mode mode, std::function<QStringList()> entries)
    : QCompleter(box), m_mode(mode), m_entries(std::move(entries)), m_model(new QStringListModel(this))
{
    setModel(m_model);
    // The model holds only the matches, worked out here for each edit.
    setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCaseSensitivity(Qt::CaseInsensitive);
    setMaxVisibleItems(8);
    box->setCompleter(this);
    connect(box, &QLineEdit::textEdited, this, &HistoryCompleter::Offer);
    // QCompleter filters the keys of its popup with this same object.
    m_list = popup();
}

bool HistoryCompleter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress && m_list->isVisible() && widget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsWindowKey(key)) {
            m_list->hide();
            const std::unique_ptr<QEvent> again(key->clone());
            QCoreApplication::sendEvent(widget(), again.get());
            return true;
        }
    }
    return QCompleter::eventFilter(watched, event);
}

bool HistoryCompleter::IsWindowKey(const QKeyEvent* key) const
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return !m_list->selectionModel()->hasSelection();
    return key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35;
}

QString HistoryCompleter::pathFromIndex(const QModelIndex& index) const
{
    return m_head + index.data().toString();
}

void HistoryCompleter::Offer(const QString& text)
{
    QString piece = text;
    m_head.clear();
    if (m_mode == Mode::LastAddress) {
        const qsizetype separator = text.lastIndexOf(separators());
        qsizetype start = separator + 1;
        while (start < text.size() && text.at(start).isSpace())
            ++start;
        m_head = text.left(start);
        piece = text.mid(start);
    }

    QStringList matches;
    if (!piece.isEmpty()) {
        for (const Candidate& candidate : Candidates()) {
            for (const QString& key : candidate.keys) {
                if (key.startsWith(piece, Qt::CaseInsensitive)) {
                    matches.append(candidate.text);
                    break;
                }
            }
        }
    }
    // Nothing to offer when the piece already is the one entry.
    if (matches.size() == 1 && matches.first() == piece)
        matches.clear();
    m_model->setStringList(matches);
}

const QList<HistoryCompleter::Candidate>& HistoryCompleter::Candidates()
{
    const QStringList entries = m_entries();
    if (entries == m_candidatesFrom)
        return m_candidates;
    m_candidatesFrom = entries;
    m_candidates.clear();
    QSet<QString> seen;
    for (const QString& entry : entries) {
        if (m_mode == Mode::WholeText) {
            m_candidates.append({entry, {entry}});
            continue;
        }
        for (const MailAddress& address : addressesOf(entry)) {
            if (seen.contains(address.typed.toCaseFolded()))
                continue;
            seen.insert(address.typed.toCaseFolded());
            m_candidates.append(
                {address.typed, {address.typed, address.name, QString::fromLatin1(address.addrSpec)}});
        }
    }
    return m_candidates;
}
