#pragma once

#include <QListWidget>
#include <QString>

// A file list: the files of one folder that match a name pattern such as
// "*.htm" or "*.jpg;*.gif" (case-insensitive), sorted by name, hidden ones left out unless
// asked for. The listing is read synchronously, so it is complete as soon as
// the folder is set. Typing the start of a name selects it.
class PatternFileList : public QListWidget
{
    Q_OBJECT
public:
    explicit PatternFileList(QString pattern, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // Lists folder afresh; the selection is cleared.
    void setFolder(const QString &folder);

    // The selected file name, empty when none is selected.
    QString selectedFileName() const;
    // Selects the file of that name; false when it is not listed.
    bool selectFile(const QString &fileName);

    // Lists hidden files too (read again at once).
    void setShowHidden(bool show);

protected:
    // Enter on a file is a double-click on it, and goes no further.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_pattern;
    QString m_folder;
    bool m_showHidden = false;
};
