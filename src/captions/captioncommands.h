#pragma once

#include "captions/richtextadapter.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class FrmCouleur;
class FrmPrincipal;

// The caption editor's commands: the format column cmdRich (0 .. 8), the font
// and size lists, the right-button menu with copy and paste, and the mouse
// release that shows the format controls while text is selected and hides
// them otherwise. Every formatting command ends by storing the caption as
// HTML (CaptionController::storeCaption).
//
// Toggles on a selection of mixed style set the style for all of it unless
// every character has it already, and then clear it; the offset buttons
// likewise give a mixed selection the offset of their own kind.
//
// Created once by the main window, which owns it.
class CaptionCommands : public QObject
{
    Q_OBJECT
public:
    explicit CaptionCommands(FrmPrincipal &window);

    static CaptionCommands *of(const FrmPrincipal &window);

    // The colour picker, created on first use and kept hidden between uses.
    FrmCouleur *colourPicker();

    // ---- the handlers, as the controls run them ----
    void editorPressed(Qt::MouseButton button, const QPoint &globalPosition);
    void editorReleased();
    void formatClicked(int index);
    void fontChosen(const QString &face);
    void sizeChosen(const QString &size);
    void copy();
    void paste();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Restores the remembered selection when nothing is selected.
    void restoreEmptySelection();
    void toggle(bool RichTextAdapter::Style::*member, void (RichTextAdapter::*set)(bool));
    void flipOffset(int own);
    void chooseColour();
    void clearCaption();
    void storeCaption();
    void setFormatControlsVisible(bool visible);
    QList<RichTextAdapter::Style> selectionStyles() const;

    FrmPrincipal &m_window;
    RichTextAdapter m_editor;
    QPointer<FrmCouleur> m_colourPicker;
};
