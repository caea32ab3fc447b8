#include "StandardComponents.h"

#include "ApplicationIdentity.h"
#include "MessageBox.h"
#include "RuntimeError.h"
#include "Support.h"
#include "platform/storage/AtomicFile.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>

void StandardUiServices::showAboutBox(QWidget* owner, const ApplicationIdentity& identity,
                                      const QString& text, const QIcon&, const QString& fixedText)
{
    QString about = QStringLiteral("%1 %2").arg(
        identity.title, ksFormatVersion(identity.major, identity.minor, identity.revision));
    if (!text.isEmpty())
        about += QStringLiteral("\n\n") + text;
    if (!fixedText.isEmpty())
        about += QStringLiteral("\n\n") + fixedText;
    MessageBox::about(owner, QCoreApplication::translate("AboutBox", "About %1").arg(identity.title), about);
}

void StandardUiServices::pressButton(QAbstractButton* button)
{
    if (!button)
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("No button to press"));
    // A disabled button ignores a press, as it ignores the mouse.
    button->click();
}

int MessageBoxErrorReporter::reportError(const RuntimeError& error, int style, const QString& text)
{
    QString message = text;
    if (!error.description().isEmpty())
        message += QStringLiteral("\r\n\r\n") + error.description();
    return MessageBox::show(nullptr, message, style);
}

void AtomicTextFileWriter::writeTextFile(const QString& path, const MessageSource& content)
{
    writeFileAtomically(path, content);
}

QStringList QtFileDialog::nameFilters(const QString& filter)
{
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"))
            .replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QStringLiteral("%1 (%2)").arg(parts.at(i), patterns));
    }
    return filters;
}

void QtFileDialog::setFilter(const QString& filter)
{
    m_nameFilters = nameFilters(filter);
}

bool QtFileDialog::showOpen()
{
    QFileDialog dialog(m_owner, QString(), m_initialDirectory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(m_multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!m_nameFilters.isEmpty())
        dialog.setNameFilters(m_nameFilters);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_fileNames = dialog.selectedFiles();
    return !m_fileNames.isEmpty();
}
