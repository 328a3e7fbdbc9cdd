#pragma once

#include "platform/print/print_session.h"

// The printers of the platform's print system through QPainter on QPrinter, A4 portrait unless the printer
// set-up chose otherwise, and Qt's PDF writer under the device name "PDF" with 5 mm margins. A PDF is written as a
// WholeFile and takes the target's place only when the job has ended with every byte on the disk, so an old file
// survives any failure.
class QtPrintBackEnd : public PrintBackEnd {
public:
    std::unique_ptr<PrintDevice> openDevice(const PrintJob &job) override;
};
