// Printers of the print command.
#include "shell/PrinterChoice.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace zx {

TPrinterChoice::TPrinterChoice() : TPrinterChoice(QPrinterInfo::availablePrinterNames()) {}

TPrinterChoice::TPrinterChoice(QStringList printers) : m_printers(std::move(printers)) {}

QString TPrinterChoice::PdfEntry() { return QStringLiteral("PDF-Datei"); }

QStringList TPrinterChoice::Names() const { return m_printers + QStringList{PdfEntry()}; }

void TPrinterChoice::Select(int index) {
    if (index < 0 || index >= Count()) index = 0;
    if (index == m_selected && m_printer) return;
    m_selected = index;
    // A fresh printer for each choice, so that the page set-up of one printer
    // does not carry over to another.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (IsPdf()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        // The page margins are the layout's own.
        m_printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                             QMarginsF(0, 0, 0, 0)));
    } else {
        m_printer->setPrinterName(m_printers.at(index));
    }
}

} // namespace zx
