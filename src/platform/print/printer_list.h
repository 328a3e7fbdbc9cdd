#pragma once

#include <QString>
#include <QStringList>

// The printers the program can print on, by device name. The desktop program installs the Qt implementation;
// tests install a fixed list. Without either, there are no printers at all.
class PrinterList {
public:
    virtual ~PrinterList() = default;
    // The platform's default printer; empty when the machine has none.
    virtual QString defaultPrinterName() const = 0;
    // The installed printers in the platform's order.
    virtual QStringList installedPrinterNames() const = 0;
};

PrinterList &printerList();
// Installs the list for the running process (not owned); null brings back the empty default.
void setPrinterList(PrinterList *printers);

// A list given by the caller (tests, or a machine described by hand).
class FixedPrinterList : public PrinterList {
public:
    FixedPrinterList() = default;
    FixedPrinterList(QString defaultName, QStringList installed)
        : default_(std::move(defaultName)), installed_(std::move(installed))
    {
    }
    QString defaultPrinterName() const override { return default_; }
    QStringList installedPrinterNames() const override { return installed_; }
    void set(const QString &defaultName, const QStringList &installed)
    {
        default_ = defaultName;
        installed_ = installed;
    }

private:
    QString default_;
    QStringList installed_;
};

// Puts a list in place for one scope and restores the previous one after it.
class PrinterListScope {
public:
    explicit PrinterListScope(PrinterList &printers);
    ~PrinterListScope();
    PrinterListScope(const PrinterListScope &) = delete;
    PrinterListScope &operator=(const PrinterListScope &) = delete;

private:
    PrinterList *previous_;
};
