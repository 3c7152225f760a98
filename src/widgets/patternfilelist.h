#pragma once

#include <QListWidget>
#include <QString>

// A file list: the files of one folder that match a name pattern such as
// "*.htm" (case-insensitive), sorted by name. The listing is read
// synchronously, so it is complete as soon as the folder is set.
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

private:
    QString m_pattern;
    QString m_folder;
};
