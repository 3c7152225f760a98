#include "captions/captioncommands.h"

#include "captions/captionclipboard.h"
#include "captions/captioncontroller.h"
#include "captions/colourtext.h"
#include "captions/fontnames.h"
#include "platform/platform.h"
#include "project/slideshowproject.h"
#include "widgets/buttonsprites.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

} // namespace

CaptionCommands::CaptionCommands(const Controls &controls, const SlideshowProject &project,
                                 CaptionController &captions, Platform &platform,
                                 ColourChooser chooseColour)
    : m_controls(controls)
    , m_viewport(controls.richtxtTexteInfo->viewport())
    , m_project(project)
    , m_captions(captions)
    , m_platform(platform)
    , m_chooseColour(std::move(chooseColour))
    , m_editor(controls.richtxtTexteInfo)
{
    // The pop-up menu of the editor is ours, not the text control's own.
    controls.richtxtTexteInfo->setContextMenuPolicy(Qt::PreventContextMenu);
    m_viewport->installEventFilter(this);
    controls.richtxtTexteInfo->installEventFilter(this);

    for (std::size_t k = 0; k < controls.cmdRich.size(); ++k) {
        const int index = int(k);
        connect(controls.cmdRich[k], &QToolButton::clicked, this,
                [this, index] { formatClicked(index); });
    }
    connect(controls.comboPolice, &QComboBox::textActivated, this, &CaptionCommands::fontChosen);
    connect(controls.comboTaille, &QComboBox::textActivated, this, &CaptionCommands::sizeChosen);
    connect(controls.Copier, &QAction::triggered, this, &CaptionCommands::copy);
    connect(controls.Coller, &QAction::triggered, this, &CaptionCommands::paste);
}

bool CaptionCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_controls.richtxtTexteInfo && editorKey(event))
        return true;
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (m_project.loaded && mouse->button() == Qt::RightButton) {
                editorPressed(mouse->button(), mouse->globalPosition().toPoint());
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // The text control settles its selection while it handles the
            // release (a click inside a selection clears it only then), so
            // the rule runs once the event is through.
            QMetaObject::invokeMethod(this, &CaptionCommands::editorReleased, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CaptionCommands::editorPressed(Qt::MouseButton button, const QPoint &globalPosition)
{
    if (m_project.loaded && button == Qt::RightButton)
        m_controls.CopierColler->popup(globalPosition);
}

void CaptionCommands::editorReleased()
{
    if (!m_project.loaded)
        return;
    m_captions.setFormatControlsArmed(false);
    if (m_editor.selectionLength() == 0) {
        setFormatControlsVisible(false);
        m_captions.setFormatControlsArmed(true);
        return;
    }
    setFormatControlsVisible(true);

    // The lists follow the selection's first character.
    const RichTextAdapter::Style style = m_editor.style();
    const int size = m_controls.comboTaille->findText(QString::number(style.size),
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (size >= 0)
        m_controls.comboTaille->setCurrentIndex(size);
    const int face = m_controls.comboPolice->findText(style.face,
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (face >= 0)
        m_controls.comboPolice->setCurrentIndex(face);
    m_captions.setFormatControlsArmed(true);
}

void CaptionCommands::setFormatControlsVisible(bool visible)
{
    for (std::size_t k = 0; k < 8; ++k)
        m_controls.cmdRich[k]->setVisible(visible);
    // The button of the last colour appears once a colour has been chosen,
    // and only an empty selection hides it again.
    if (!visible)
        m_controls.cmdRich[8]->hide();
    else if (!m_lastColour.isEmpty())
        m_controls.cmdRich[8]->show();
    m_controls.comboTaille->setVisible(visible);
    m_controls.comboPolice->setVisible(visible);
}

void CaptionCommands::restoreEmptySelection()
{
    if (m_editor.selectionLength() == 0)
        m_editor.setSelection(m_savedSelStart, m_savedSelLength);
}

void CaptionCommands::formatClicked(int index)
{
    if (m_editor.selectionLength() == 0) {
        m_editor.setSelection(m_savedSelStart, m_savedSelLength);
    } else {
        m_savedSelStart = m_editor.selectionStart();
        m_savedSelLength = m_editor.selectionLength();
    }
    using S = RichTextAdapter::Style;
    switch (index) {
    case 0: toggle(&S::italic, &RichTextAdapter::setItalic); break;
    case 1: toggle(&S::underline, &RichTextAdapter::setUnderline); break;
    case 2: toggle(&S::bold, &RichTextAdapter::setBold); break;
    case 3: toggle(&S::strikethrough, &RichTextAdapter::setStrikethrough); break;
    case 4: flipOffset(RichTextAdapter::SuperscriptOffset); break;
    case 5: flipOffset(-RichTextAdapter::SuperscriptOffset); break;
    case 6:
        chooseColour();
        if (m_lastColour.isEmpty())
            return; // cancelled: nothing changes, nothing is stored
        break;
    case 7: clearCaption(); break;
    case 8:
        if (m_lastColour.isEmpty())
            return;
        m_editor.setColour(HtmlToColour(m_lastColour.mid(1)));
        break;
    default: break;
    }
    m_captions.storeCaption();
}

QList<RichTextAdapter::Style> CaptionCommands::selectionStyles() const
{
    QList<RichTextAdapter::Style> styles;
    const QTextCursor cursor = m_editor.cursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextDocument *doc = m_editor.document();
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() < end && fragment.position() + fragment.length() > start)
                styles.append(m_editor.styleOf(fragment.charFormat()));
        }
    }
    // A caret, or a selection of line breaks only: what the caret types.
    if (styles.isEmpty())
        styles.append(m_editor.style());
    return styles;
}

void CaptionCommands::toggle(bool RichTextAdapter::Style::*member,
                             void (RichTextAdapter::*set)(bool))
{
    const QList<RichTextAdapter::Style> styles = selectionStyles();
    const bool all = std::all_of(styles.cbegin(), styles.cend(),
                                 [member](const RichTextAdapter::Style &s) { return s.*member; });
    (m_editor.*set)(!all);
}

void CaptionCommands::flipOffset(int own)
{
    const QList<RichTextAdapter::Style> styles = selectionStyles();
    const int first = styles.first().offset;
    const bool uniform = std::all_of(
        styles.cbegin(), styles.cend(),
        [first](const RichTextAdapter::Style &s) { return s.offset == first; });
    // One offset x becomes own - x (so a second press undoes the first); a
    // mixed selection takes the button's own offset.
    m_editor.setCharOffset(uniform ? own - first : own);
}

void CaptionCommands::chooseColour()
{
    const std::optional<QColor> colour = m_chooseColour();
    m_lastColour = colour ? ColourToHtml(colourValue(*colour)) : QString();
    if (!colour)
        return;
    m_editor.setColour(colourValue(*colour));
    QToolButton *lastColourButton = m_controls.cmdRich[8];
    lastColourButton->setIcon(ButtonSprites::colourSwatch(
        lastColourButton->devicePixelRatioF(), lastColourButton->iconSize().width(), *colour));
}

void CaptionCommands::clearCaption()
{
    // One edit block, so that one undo brings back the text, its look and
    // the colour it had before white.
    QTextCursor all(m_editor.document());
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    all.setBlockFormat(QTextBlockFormat());
    all.setBlockCharFormat(QTextCharFormat());
    m_editor.setCursor(all);
    m_controls.txtTexteInfo->setText(QString());
    m_editor.setSelection(0, m_editor.textLength());
    m_editor.setColour(kWhite);
    all.endEditBlock();
}

void CaptionCommands::fontChosen(const QString &face)
{
    if (!m_captions.formatControlsArmed())
        return;
    restoreEmptySelection();
    m_editor.setFontName(FontNames::withoutFoundry(face));
    m_captions.storeCaption();
}

void CaptionCommands::sizeChosen(const QString &size)
{
    if (!m_captions.formatControlsArmed())
        return;
    restoreEmptySelection();
    m_editor.setFontSize(size.trimmed().toDouble());
    m_captions.storeCaption();
}

void CaptionCommands::copy()
{
    if (m_editor.selectionLength() == 0)
        return;
    QGuiApplication::clipboard()->setMimeData(CaptionClipboard::fromSelection(m_editor.cursor()));
}

void CaptionCommands::paste()
{
    const std::optional<QList<RtfReader::Run>> runs = CaptionClipboard::read(
        QGuiApplication::clipboard()->mimeData(), m_editor.insertionFormat());
    if (!runs) {
        m_platform.message(
            QStringLiteral("Le texte du presse-papiers est trop long pour un commentaire "
                           "(%1 caractères au plus) : il n'a pas été collé.")
                .arg(CaptionClipboard::MaxCharacters),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ATTENTION"));
        return;
    }
    m_editor.replaceSelectionWithRuns(*runs);
}
