#include "TextDirection.h"

#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace
{

// The plain text layout aligns every paragraph alike. Alignment only counts
// when a line is drawn or a cursor placed, both of which ask for the block's
// rectangle first, so that is where each block gets its own.
class ParagraphDirectionLayout : public QPlainTextDocumentLayout
{
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        const QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
        if (QTextLayout* layout = block.layout()) {
            QTextOption option = layout->textOption();
            const Qt::Alignment alignment =
                block.textDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
            if (option.alignment() != alignment) {
                option.setAlignment(alignment);
                layout->setTextOption(option);
            }
        }
        return rect;
    }
};

void followTextOf(QLineEdit* box, const QString& text)
{
    // An empty box follows the window, so the cursor waits where the user expects.
    if (text.isEmpty())
        box->unsetLayoutDirection();
    else
        box->setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
}

} // namespace

namespace TextDirection
{

void followText(QLineEdit* box)
{
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [box](const QString& text) { followTextOf(box, text); });
    followTextOf(box, box->text());
}

void followText(QPlainTextEdit* body)
{
    // The box keeps to the layout of the document it is given, so the layout
    // comes with a document of its own.
    auto* document = new QTextDocument(body);
    document->setDocumentLayout(new ParagraphDirectionLayout(document));
    document->setDefaultFont(body->font());
    document->setPlainText(body->toPlainText());
    body->setDocument(document);
}

void followText(QWidget* window)
{
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        followText(box);
    for (QPlainTextEdit* body : window->findChildren<QPlainTextEdit*>())
        followText(body);
}

} // namespace TextDirection
