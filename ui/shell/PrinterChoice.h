// The printers the print command offers: those the print system knows, and
// a PDF file on A4 as the last entry, so that printing works on every machine.
#pragma once

#include <QPrinter>
#include <QStringList>
#include <memory>

namespace zx {

class TPrinterChoice {
public:
    // Asks the print system for its printers.
    TPrinterChoice();
    // The given printers (tests).
    explicit TPrinterChoice(QStringList printers);

    // The entries as the list shows them; the PDF entry is the last one.
    QStringList Names() const;
    static QString PdfEntry();
    int Count() const { return int(m_printers.size()) + 1; }
    // Selects an entry (indices out of range select the first one) and
    // prepares the printer for it.
    void Select(int index);
    int Selected() const { return m_selected; }
    bool IsPdf() const { return m_selected == int(m_printers.size()); }
    QPrinter& Printer() { return *m_printer; }

private:
    QStringList m_printers;
    int m_selected = -1;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace zx
