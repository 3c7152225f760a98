#include "captions/captioncommands.h"

#include "app/frmprincipal.h"
#include "captions/captioncontroller.h"
#include "captions/colourtext.h"
#include "captions/rtf.h"
#include "editor/colourswatch.h"
#include "editor/frmcouleur.h"
#include "project/textfile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr int kSuperscript = 40;
constexpr int kSubscript = -40;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Where word processors put rich text on the clipboard, in order of preference.
const QStringList &rtfFormats()
{
    static const QStringList formats = {
        QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
        QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""),
    };
    return formats;
}

} // namespace

CaptionCommands::CaptionCommands(FrmPrincipal &window)
    : QObject(&window), m_window(window), m_editor(window.richtxtTexteInfo)
{
    setObjectName(QStringLiteral("captionCommands"));

    // The pop-up menu of the editor is ours, not the text control's own.
    window.richtxtTexteInfo->setContextMenuPolicy(Qt::PreventContextMenu);
    window.richtxtTexteInfo->viewport()->installEventFilter(this);

    for (std::size_t k = 0; k < window.cmdRich.size(); ++k) {
        const int index = int(k);
        connect(window.cmdRich[k], &QToolButton::clicked, this, [this, index] { formatClicked(index); });
    }
    connect(window.comboPolice, &QComboBox::textActivated, this, &CaptionCommands::fontChosen);
    connect(window.comboTaille, &QComboBox::textActivated, this, &CaptionCommands::sizeChosen);
    connect(window.Copier, &QAction::triggered, this, &CaptionCommands::copy);
    connect(window.Coller, &QAction::triggered, this, &CaptionCommands::paste);
}

CaptionCommands *CaptionCommands::of(const FrmPrincipal &window)
{
    return window.findChild<CaptionCommands *>(QString(), Qt::FindDirectChildrenOnly);
}

FrmCouleur *CaptionCommands::colourPicker()
{
    if (!m_colourPicker)
        m_colourPicker = new FrmCouleur(m_window.platform(), m_window.appDir(), m_window.lastColour, &m_window);
    return m_colourPicker;
}

bool CaptionCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.richtxtTexteInfo->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (m_window.project.loaded && mouse->button() == Qt::RightButton) {
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
    if (m_window.project.loaded && button == Qt::RightButton)
        m_window.CopierColler->popup(globalPosition);
}

void CaptionCommands::editorReleased()
{
    if (!m_window.project.loaded)
        return;
    m_window.formatControlsArmed = false;
    if (m_editor.selectionLength() == 0) {
        setFormatControlsVisible(false);
        m_window.formatControlsArmed = true;
        return;
    }
    setFormatControlsVisible(true);

    // The lists follow the selection's first character.
    const RichTextAdapter::Style style = m_editor.style();
    const int size = m_window.comboTaille->findText(QString::number(style.size),
                                                    Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (size >= 0)
        m_window.comboTaille->setCurrentIndex(size);
    const int face = m_window.comboPolice->findText(style.face, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (face >= 0)
        m_window.comboPolice->setCurrentIndex(face);
    m_window.formatControlsArmed = true;
}

void CaptionCommands::setFormatControlsVisible(bool visible)
{
    for (std::size_t k = 0; k < 8; ++k)
        m_window.cmdRich[k]->setVisible(visible);
    // The button of the last colour appears once a colour has been chosen,
    // and only an empty selection hides it again.
    if (!visible)
        m_window.cmdRich[8]->hide();
    else if (!m_window.lastColour.isEmpty())
        m_window.cmdRich[8]->show();
    m_window.comboTaille->setVisible(visible);
    m_window.comboPolice->setVisible(visible);
}

void CaptionCommands::restoreEmptySelection()
{
    if (m_editor.selectionLength() == 0)
        m_editor.setSelection(m_window.savedSelStart, m_window.savedSelLength);
}

void CaptionCommands::formatClicked(int index)
{
    if (m_editor.selectionLength() == 0) {
        m_editor.setSelection(m_window.savedSelStart, m_window.savedSelLength);
    } else {
        m_window.savedSelStart = m_editor.selectionStart();
        m_window.savedSelLength = m_editor.selectionLength();
    }
    using S = RichTextAdapter::Style;
    switch (index) {
    case 0: toggle(&S::italic, &RichTextAdapter::setItalic); break;
    case 1: toggle(&S::underline, &RichTextAdapter::setUnderline); break;
    case 2: toggle(&S::bold, &RichTextAdapter::setBold); break;
    case 3: toggle(&S::strikethrough, &RichTextAdapter::setStrikethrough); break;
    case 4: flipOffset(kSuperscript); break;
    case 5: flipOffset(kSubscript); break;
    case 6:
        chooseColour();
        if (m_window.lastColour.isEmpty())
            return;   // cancelled: nothing changes, nothing is stored
        break;
    case 7: clearCaption(); break;
    case 8:
        if (m_window.lastColour.isEmpty())
            return;
        m_editor.setColour(HtmlToColour(m_window.lastColour.mid(1)));
        break;
    default: break;
    }
    storeCaption();
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

void CaptionCommands::toggle(bool RichTextAdapter::Style::*member, void (RichTextAdapter::*set)(bool))
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
    const bool uniform = std::all_of(styles.cbegin(), styles.cend(),
                                     [first](const RichTextAdapter::Style &s) { return s.offset == first; });
    // One offset x becomes own - x (so a second press undoes the first); a
    // mixed selection takes the button's own offset.
    m_editor.setCharOffset(uniform ? own - first : own);
}

void CaptionCommands::chooseColour()
{
    FrmCouleur *picker = colourPicker();
    picker->exec();
    if (m_window.lastColour.isEmpty())
        return;
    m_editor.setColour(HtmlToColour(m_window.lastColour.mid(1)));
    m_window.setColourButtonFace(picker->picSelection->colour());
}

void CaptionCommands::clearCaption()
{
    m_editor.clear();
    m_window.txtTexteInfo->setText(QString());
    m_editor.setSelection(0, m_editor.textLength());
    m_editor.setColour(kWhite);
}

void CaptionCommands::fontChosen(const QString &face)
{
    if (!m_window.formatControlsArmed)
        return;
    restoreEmptySelection();
    m_editor.setFontName(face);
    storeCaption();
}

void CaptionCommands::sizeChosen(const QString &size)
{
    if (!m_window.formatControlsArmed)
        return;
    restoreEmptySelection();
    m_editor.setFontSize(size.trimmed().toDouble());
    storeCaption();
}

void CaptionCommands::storeCaption()
{
    if (CaptionController *captions = CaptionController::of(m_window))
        captions->storeCaption();
}

void CaptionCommands::copy()
{
    if (m_editor.selectionLength() == 0)
        return;
    const QString rtf = m_editor.selectedRtf();
    auto *data = new QMimeData;
    const QByteArray bytes = rtf.toLatin1();   // the writer emits ASCII only
    data->setData(rtfFormats().at(0), bytes);
    data->setData(rtfFormats().at(1), bytes);
    data->setText(rtf);
    QGuiApplication::clipboard()->setMimeData(data);
}

void CaptionCommands::paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data) {
        for (const QString &format : rtfFormats()) {
            if (!data->hasFormat(format))
                continue;
            const QString rtf = TextFile::fromCp1252(data->data(format));
            if (Rtf::isRtf(rtf)) {
                m_editor.replaceSelectionWithRtf(rtf);
                return;
            }
        }
    }
    const QString text = data ? data->text() : QString();
    if (Rtf::isRtf(text))
        m_editor.replaceSelectionWithRtf(text);
    else
        m_editor.replaceSelection(text);
}
