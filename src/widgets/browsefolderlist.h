#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// A folder list: a tree from the root of the file system down to the current
// folder, with the current folder's subfolders below it. Double-click or
// Enter moves into a folder, Backspace to the parent; the arrow of a folder
// unfolds its subfolders without moving; typing the start of a name selects
// it. Hidden folders show once setShowHidden(true) (Ctrl+H in the choosers).
// The listing is read synchronously, so the tree is complete as soon as the
// folder is set.
class BrowseFolderList : public QWidget
{
    Q_OBJECT
public:
    explicit BrowseFolderList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Moves to folder (cleaned, never made canonical, so the path keeps the
    // spelling it was given) and emits pathChanged when it differs.
    void setPath(const QString &folder);
    // Reads the tree again, staying in the current folder.
    void refresh();

    // Moves into the subfolder of that name; false when there is none.
    bool enter(const QString &name);
    // The names of the current folder's subfolders, as listed.
    QStringList subfolders() const;

    void setShowHidden(bool show);
    bool showsHidden() const { return m_showHidden; }

    QTreeWidget *tree() const { return m_tree; }

signals:
    void pathChanged(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A folder's item, placed under parent at row at (last when -1), or at the top.
    QTreeWidgetItem *addFolder(QTreeWidgetItem *parent, const QString &path, const QString &name,
                               int at = -1);
    void unfold(QTreeWidgetItem *item);

    QString m_path;
    bool m_showHidden = false;
    QLabel *m_caption = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_current = nullptr; // the item of the current folder
};
