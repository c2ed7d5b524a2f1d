// "Registro delle modifiche": the read-only view of the audit trail with its filters, the field changes of
// the chosen entry, the chain verification and the PDF and CSV exports.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "audit/audit_entry.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;

namespace kestra {

class AuditTrail;
class Prompts;

class AuditViewer : public QDialog {
    Q_OBJECT
public:
    // `file` preselects one file (File > Cronologia del file...); empty shows every entry.
    AuditViewer(std::shared_ptr<AuditTrail> trail, Prompts& prompts, const QString& file = {},
                QWidget* parent = nullptr);

    // Reads the trail again and applies the filters.
    void reload();
    // The entries the table shows, in order.
    const std::vector<AuditEntry>& shownEntries() const { return m_shown; }
    // Writes what the table shows; report faults through the prompts. Return whether the file was written.
    bool exportCsv(const QString& path);
    bool exportPdf(const QString& path);
    // Verifica registro: shows the result and returns it.
    bool verifyChain();

private:
    void applyFilters();
    void showChanges();
    std::string scopeText() const;
    std::string chainText() const;

    std::shared_ptr<AuditTrail> m_trail;
    Prompts& m_prompts;
    std::vector<AuditEntry> m_all;
    std::vector<AuditEntry> m_shown;
    QComboBox* m_file;
    QComboBox* m_user;
    QComboBox* m_action;
    QCheckBox* m_fromOn;
    QDateEdit* m_from;
    QCheckBox* m_toOn;
    QDateEdit* m_to;
    QTableWidget* m_table;
    QTableWidget* m_changes;
    QLabel* m_detail;
};

}  // namespace kestra
