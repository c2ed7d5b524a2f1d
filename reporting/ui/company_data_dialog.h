// The company master data dialog "Anagrafica azienda" (frmAnagraf), opened from the main menu.
#pragma once

class QWidget;

namespace kestra {

// Modal; reads and saves the company row of ReportDatabasePath(); on save also replaces ReportLogoPath().
void ShowCompanyDataDialog(QWidget* parent);

}  // namespace kestra
