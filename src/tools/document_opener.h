#pragma once

#include <QString>
#include <QStringList>

// Hands a file to the desktop's program for its kind (a workbook to the spreadsheet program). The desktop
// program installs the opener; without one, nothing opens and the caller shows the data itself.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // True when a program took the file.
    virtual bool openDocument(const QString &path) = 0;
};

// The installed opener, or null.
DocumentOpener *documentOpener();
void setDocumentOpener(DocumentOpener *opener);

class DocumentOpenerScope {
public:
    explicit DocumentOpenerScope(DocumentOpener &opener);
    ~DocumentOpenerScope();
    DocumentOpenerScope(const DocumentOpenerScope &) = delete;
    DocumentOpenerScope &operator=(const DocumentOpenerScope &) = delete;

private:
    DocumentOpener *previous_;
};

// Records the files it is given and answers as told.
class RecordingDocumentOpener : public DocumentOpener {
public:
    bool openDocument(const QString &path) override
    {
        opened << path;
        return answer;
    }
    QStringList opened;
    bool answer = false;
};
