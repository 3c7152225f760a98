#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

// A folder list: shows the current folder and lets the user move into its
// subfolders (double-click or Enter) or up to its parent (the ".." row).
// The listing is read synchronously, so the list is complete as soon as the
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

    // Moves into the subfolder shown on the given row (row 0 is ".." when the
    // folder has a parent).
    void enterRow(int row);

    QListWidget *list() const { return m_list; }

signals:
    void pathChanged(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void enterItem(QListWidgetItem *item);

    QString m_path;
    QLabel *m_caption = nullptr;
    QListWidget *m_list = nullptr;
};
