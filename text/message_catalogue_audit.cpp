// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/messages.h"

namespace kestra {

namespace {

// As in message_catalogue.cpp: the Italian as the code writes it, "%1" ... "%9" for what is never translated.
constexpr MessageEntry kAuditAndCommandLine[] = {
    // the trail's actions and fixed details, stored in Italian and shown in the interface language
    {"Creazione", "Creation"},
    {"Salvataggio", "Save"},
    {"Salvataggio con nome", "Save as"},
    {"Salvataggio non riuscito", "Save failed"},
    {"Apertura con avvisi", "Opened with warnings"},
    {"Modifica esterna", "Changed outside"},
    {"Stampa", "Print"},
    {"Esportazione", "Export"},
    {"Valutazione", "Evaluation"},
    {"Firma", "Signature"},
    {"Firma bloccata", "Signing locked"},
    {"Password di firma", "Signature password"},
    {"Opzioni", "Options"},
    {"Dati aziendali", "Company data"},
    {"Backup", "Backup"},
    {"Password di firma cambiata", "Signature password changed"},
    {"Password di firma impostata", "Signature password set"},
    {"Tre password di firma errate di seguito: firma bloccata per cinque minuti",
     "Three wrong signature passwords in a row: signing locked for five minutes"},
    {"Certificato della verifica del programma: tutti i casi superati",
     "Certificate of the program check: all cases passed"},
    {"Certificato della verifica del programma: casi non superati",
     "Certificate of the program check: some cases failed"},
    {"Conforme", "Pass"},
    {"Non conforme", "Fail"},
    {"Non valutabile", "Not evaluable"},
    {"(modifiche illeggibili)", "(changes unreadable)"},

    // the trail: listing, checking, opening
    {"... e altre %1 modifiche", "... and %1 more changes"},
    {"da: ", "from: "},
    {"motivo: ", "reason: "},
    {"voce,ora UTC,ora locale,login,nome,host,versione,build,azione,file,tipo,file precedente,SHA-256 prima,"
     "SHA-256 dopo,modifiche,motivo,dettagli,hash precedente,hash",
     "entry,UTC time,local time,login,name,host,version,build,action,file,kind,previous file,SHA-256 before,"
     "SHA-256 after,changes,reason,details,previous hash,hash"},
    {"Voce %1: eliminata dal registro (dopo la voce %2 segue la voce %3)",
     "Entry %1: deleted from the trail (entry %2 is followed by entry %3)"},
    {"Voce %1: inserita o duplicata", "Entry %1: inserted or duplicated"},
    {"Voce %1: non segue la voce precedente (voce inserita, eliminata o modificata)",
     "Entry %1: does not follow the previous entry (an entry inserted, deleted or changed)"},
    {"Voce %1: contenuto modificato", "Entry %1: content changed"},
    {"Registro integro: %1 voci verificate", "Trail intact: %1 entries checked"},
    // the anchor of the newest entry (audit.head)
    {"Il file di ancoraggio %1 manca: è stato eliminato o spostato, e la rimozione delle voci più recenti "
     "non si può escludere",
     "The anchor file %1 is missing: it was deleted or moved, and the removal of the newest entries "
     "cannot be ruled out"},
    {"Il file di ancoraggio %1 non è utilizzabile: %2", "The anchor file %1 cannot be used: %2"},
    {"Il file di ancoraggio %1 registra la voce %2, il registro arriva alla voce %3: l'ultima scrittura "
     "dell'ancora non è avvenuta (programma interrotto o file non scrivibile); la prossima voce "
     "registrata la aggiorna",
     "The anchor file %1 records entry %2, the trail reaches entry %3: the last write of the anchor did "
     "not happen (program interrupted or file not writable); the next entry recorded updates it"},
    {"Il registro non ha ancora il file di ancoraggio %1 (registro di una versione precedente): la "
     "rimozione delle voci più recenti si potrà verificare dopo che il programma lo avrà aperto",
     "The trail has no anchor file %1 yet (a trail of an earlier version): the removal of the newest "
     "entries can be checked once the program has opened it"},
    {"Impossibile scrivere il file di ancoraggio %1: %2", "Cannot write the anchor file %1: %2"},
    {"La voce %1 registra un'anomalia che il programma ha trovato prima di scriverla: %2",
     "Entry %1 records an anomaly the program found before writing it: %2"},
    {"Mancano le voci dalla n. %1 in poi: il file di ancoraggio %2 registra %3 voci, il registro ne "
     "contiene %4",
     "Entries from no. %1 onwards are missing: the anchor file %2 records %3 entries, the trail holds %4"},
    {"Registro delle modifiche %1:", "Audit trail %1:"},
    {"Voce %1: diversa da quella registrata nel file di ancoraggio %2 (voce modificata o sostituita)",
     "Entry %1: differs from the one recorded in the anchor file %2 (entry changed or replaced)"},
    {"formato non riconosciuto", "format not recognised"},
    {"impossibile leggerlo (%1)", "it cannot be read (%1)"},
    {"più grande di %1 byte", "larger than %1 bytes"},
    {"Registro delle modifiche %1: %2.", "Audit trail %1: %2."},
    {"impossibile aprirlo", "cannot open it"},
    {"impossibile scrivervi", "cannot write to it"},
    {"impossibile leggerlo", "cannot read it"},
    {"data non valida \"%1\" (usare AAAA-MM-GG)", "invalid date \"%1\" (use YYYY-MM-DD)"},
    {"configurazione della cartella dei dati non riuscita: %1", "setting up the data folder failed: %1"},
    {"il comando non entra nel registro delle modifiche: %1", "the command is not recorded in the audit trail: %1"},
    {"il dossier non è stato scritto: %1", "the dossier was not written: %1"},
    {"Nessun file di studio è cambiato dopo la valutazione registrata il %1.",
     "No study file has changed since the evaluation recorded on %1."},

    {"Il file non è stato salvato: impossibile registrare la modifica nel registro delle modifiche.",
     "The file was not saved: the change could not be recorded in the audit trail."},
    {"Finché il registro delle modifiche non è disponibile, i file non possono essere salvati.",
     "Until the audit trail is available, files cannot be saved."},
    {"Il dossier non contiene una valutazione registrata (validate --record).",
     "The dossier holds no recorded evaluation (validate --record)."},
    {"%1: non registrato nella valutazione", "%1: not recorded in the evaluation"},
    {"%1: il file manca o non può essere letto", "%1: the file is missing or cannot be read"},
    {"%1: contenuto cambiato dopo la valutazione registrata (SHA-256 %2)",
     "%1: content changed after the recorded evaluation (SHA-256 %2)"},
    {"%1: il dossier ora indica un altro file", "%1: the dossier now names another file"},
    {"Il file è stato modificato fuori dal programma dopo l'ultimo salvataggio registrato",
     "The file was changed outside the program after the last recorded save"},
    {"Tipo di studio non ancora disponibile: %1", "Study kind not available yet: %1"},
    {"Il report dello studio %1 non è ancora disponibile", "The report of the study %1 is not available yet"},

    {"la copia del database del programma non è riuscita (%1).", "copying the program's database failed (%1)."},

    // signatures and the signature password
    {"Impossibile leggere il file %1.", "Cannot read the file %1."},
    {"Il file %1 non è valido.", "The file %1 is not valid."},
    {"Impossibile scrivere il file %1: %2", "Cannot write the file %1: %2"},
    {"La password di firma deve avere almeno %1 caratteri.",
     "The signature password must have at least %1 characters."},
    {"Libreria crittografica non disponibile.", "Cryptographic library not available."},
    {"Memoria insufficiente per calcolare l'hash della password di firma.",
     "Not enough memory to hash the signature password."},
    {"La password di firma non è stata impostata (Strumenti > Opzioni > Firma elettronica, oppure kestra-cli sign "
     "--set-password).",
     "The signature password has not been set (Tools > Options > Electronic signature, or kestra-cli sign "
     "--set-password)."},
    {"Il file %1 non contiene una password valida.", "The file %1 holds no valid password."},
    {"Firme elettroniche del file:", "Electronic signatures of the file:"},
    {"Salvare lo studio prima di firmarlo: la firma vale per il file salvato.",
     "Save the study before signing it: the signature applies to the saved file."},
    {"La firma è bloccata per troppe password errate fino alle %1.",
     "Signing is locked after too many wrong passwords until %1."},
    {"Firma non possibile: il registro delle modifiche non è disponibile.",
     "Signing not possible: the audit trail is not available."},
    {"La password di firma non è stata impostata: impostarla in Strumenti > Opzioni > Firma elettronica.",
     "The signature password has not been set: set it in Tools > Options > Electronic signature."},
    {"Password di firma errata.", "Wrong signature password."},
    {"Password di firma errata per la terza volta di seguito: la firma è bloccata per cinque minuti.",
     "Wrong signature password for the third time in a row: signing is locked for five minutes."},
    {"Firma non riuscita.", "Signing failed."},
    {"Nuova password di firma: ", "New signature password: "},
    {"Ripetere la password di firma: ", "Repeat the signature password: "},
    {"Password di firma: ", "Signature password: "},
    {"nessuna password letta", "no password read"},
    {"le due password non coincidono; nulla è cambiato", "the two passwords differ; nothing was changed"},
    {"significato non valido \"%1\" (prepared, reviewed, approved)",
     "invalid meaning \"%1\" (prepared, reviewed, approved)"},
    {"la password di firma non è stata impostata (kestra-cli sign --set-password)",
     "the signature password has not been set (kestra-cli sign --set-password)"},
    {"password di firma errata", "wrong signature password"},
    {"password di firma errata; firma bloccata per cinque minuti",
     "wrong signature password; signing locked for five minutes"},
    {"firma bloccata per troppi tentativi errati fino alle %1", "signing locked after too many wrong attempts until %1"},

    // the self-test's reference files
    {"file di riferimento %1, riga %2: %3", "reference file %1, line %2: %3"},
    {"sequenza %1 sconosciuta", "unknown sequence %1"},
    {"testo tra virgolette non chiuso", "quoted text not closed"},
    {"file di riferimento mancante o illeggibile: %1", "reference file missing or unreadable: %1"},
    {"\"%1\" non è un intero", "\"%1\" is not an integer"},
    {"atteso: check ROUTINE ARGOMENTI = VALORE", "expected: check ROUTINE ARGUMENTS = VALUE"},
    {"%1 vuole %2 argomenti", "%1 takes %2 arguments"},
    {"atteso descriptive.mean, .variance o .cv", "expected descriptive.mean, .variance or .cv"},
    {"atteso confidence.halfwidth, .relative, .lower o .upper",
     "expected confidence.halfwidth, .relative, .lower or .upper"},
    {"routine sconosciuta \"%1\"", "unknown routine \"%1\""},
    {"atteso: %1 CAMPO = VALORE", "expected: %1 FIELD = VALUE"},
    {"lingua sconosciuta \"%1\"", "unknown language \"%1\""},
    {"parola sconosciuta \"%1\"", "unknown word \"%1\""},
    {"\"%1\" non è un numero scritto con il punto", "\"%1\" is not a number written with a point"},
    {"le righe di dettaglio contano da 1", "detail rows count from 1"},
    {"il caso non nomina il suo file", "the case names no file"},
    {"il caso non ha valori attesi", "the case has no expected values"},
    {"atteso: file NOME", "expected: file NAME"},
    {"estensione di studio sconosciuta", "unknown study extension"},
    {"manca il file %1", "the file %1 is missing"},
    {"lingua sconosciuta %1", "unknown language %1"},
    {"separatore sconosciuto %1", "unknown separator %1"},
    {"riga non riconosciuta", "line not recognised"},
    {"caso senza \"end\"", "case without \"end\""},
    {"cartella dei dati di riferimento mancante: %1", "reference data folder missing: %1"},
    {"database dei report mancante: %1", "report database missing: %1"},
    {"cartella dei dati di riferimento illeggibile: %1", "reference data folder unreadable: %1"},
    {"nessun file di casi (*.cases) in %1", "no case files (*.cases) in %1"},
    {"riga di TabF non riconosciuta", "TabF line not recognised"},
    {"VAL_F non è un numero", "VAL_F is not a number"},
    {"il file %1 non contiene righe di TabF", "the file %1 holds no TabF lines"},
    {"lettura di TabF: %1", "reading TabF: %1"},

    // kestra-cli --help
    {"kestra-cli: calcolo degli studi di convalida dei metodi analitici di Kestra 2006",
     "kestra-cli: computes the analytical method validation studies of Kestra 2006"},
    {"File dello studio (*.LIM, *.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)",
     "Study file (*.LIM, *.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)"},
    {"File dello studio (*.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)",
     "Study file (*.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)"},
    {"Separatore decimale dell'utente: . o , (predefinito: quello della localizzazione corrente)",
     "The user's decimal separator: . or , (default: the current locale's)"},
    {"Lingua dei messaggi: it o en", "Language of the messages: it or en"},
    {"Apre uno studio come il comando Apri (azzera, legge, calcola) e stampa i record del report in JSON",
     "Opens a study as the Open command does (resets, reads, computes) and prints the report records as JSON"},
    {"Lingua dei campi che ne dipendono: it o en", "Language of the fields that depend on it: it or en"},
    {"Aggiunge l'oggetto \"extended\": la statistica estesa in numeri JSON a piena precisione",
     "Adds the \"extended\" object: the extended statistics as full-precision JSON numbers"},
    {"Apre e calcola uno studio, scrive le tabelle del report nel database e salva il report in PDF",
     "Opens and computes a study, writes the report tables into the database and saves the report as PDF"},
    {"Lingua del report: it o en", "Language of the report: it or en"},
    {"Stampa la data", "Prints the date"},
    {"Aggiunge la pagina della statistica estesa dopo le pagine del report",
     "Adds the extended statistics page after the report pages"},
    {"Database dei report da usare (predefinito: quello della cartella dei dati dell'utente)",
     "Report database to use (default: the one in the user's data folder)"},
    {"File PDF da scrivere", "PDF file to write"},
    {"Apre e calcola uno studio e disegna i suoi grafici in un file PNG (un grafico) o PDF (una pagina per "
     "grafico)",
     "Opens and computes a study and draws its charts into a PNG file (one chart) or a PDF file (a page per "
     "chart)"},
    {"Lingua dei testi del grafico: it o en", "Language of the chart texts: it or en"},
    {"Grafico da disegnare: regression, proportionality, residuals, il nome o il numero (da 1); predefinito: "
     "tutti nel PDF, il primo nel PNG",
     "Chart to draw: regression, proportionality, residuals, its name or its number (from 1); default: all in "
     "the PDF, the first in the PNG"},
    {"Larghezza del PNG in pixel", "Width of the PNG in pixels"},
    {"Altezza del PNG in pixel", "Height of the PNG in pixels"},
    {"File da scrivere: .png o .pdf", "File to write: .png or .pdf"},
    {"Verifica il programma con i dati di riferimento installati e la tabella F del database; esce con 0 se "
     "tutti i casi sono superati, 1 se uno fallisce, 2 se la verifica non può essere eseguita",
     "Checks the program against the installed reference data and the database's F table; exits with 0 when "
     "every case passes, 1 when one fails, 2 when the check cannot be run"},
    {"Lingua del riepilogo e del certificato: it o en", "Language of the summary and the certificate: it or en"},
    {"Certificato PDF da scrivere (senza: riepilogo e casi come testo)",
     "PDF certificate to write (without: summary and cases as text)"},
    {"Database dei report da verificare (predefinito: quello della cartella dei dati dell'utente)",
     "Report database to check (default: the one in the user's data folder)"},
    {"Valuta un dossier di convalida: legge e calcola ogni studio, confronta i criteri di accettazione e stampa "
     "l'esito; esce con 0 se la convalida è superata, 1 se non lo è, 2 se il dossier non può essere letto",
     "Evaluates a validation dossier: reads and computes each study, compares the acceptance criteria and "
     "prints the outcome; exits with 0 when the validation passes, 1 when it fails, 2 when the dossier cannot "
     "be read"},
    {"Lingua del riepilogo e del report: it o en", "Language of the summary and the report: it or en"},
    {"Stampa la valutazione come un oggetto JSON", "Prints the evaluation as a JSON object"},
    {"Report PDF del dossier da scrivere", "PDF report of the dossier to write"},
    {"Aggiunge al report la pagina della statistica estesa di ogni studio",
     "Adds each study's extended statistics page to the report"},
    {"Stampa la data nel report", "Prints the date in the report"},
    {"Registra la valutazione nel dossier (blocco \"evaluated\": ora, build, SHA-256 e esiti)",
     "Records the evaluation in the dossier (\"evaluated\" block: time, build, SHA-256 and outcomes)"},
    {"Confronta lo SHA-256 di ogni studio con quello registrato; esce con 1 se un file è cambiato",
     "Compares each study's SHA-256 with the recorded one; exits with 1 when a file has changed"},
    {"Stampa i criteri proposti per lo scopo come elenco JSON (study null)",
     "Prints the criteria proposed for the purpose as a JSON list (study null)"},
    {"Con --propose impurity_quantitative: la soglia di riporto (chiesta se manca)",
     "With --propose impurity_quantitative: the reporting threshold (asked when missing)"},
    {"Con --propose impurity_limit: il limite dell'impurezza (chiesto se manca)",
     "With --propose impurity_limit: the impurity limit (asked when missing)"},
    {"Dossier di convalida (*.kvd)", "Validation dossier (*.kvd)"},
    {"Stampa il registro delle modifiche o ne verifica la catena; esce con 0, con 1 se la verifica trova una voce "
     "modificata, eliminata o inserita (indicata) o un file di ancoraggio mancante o danneggiato, con 2 se il "
     "registro non può essere letto",
     "Prints the audit trail or checks its chain; exits with 0, with 1 when the check finds an entry changed, "
     "deleted or inserted (named) or an anchor file missing or damaged, with 2 when the trail cannot be read"},
    {"Solo le voci di questo file", "Only the entries of this file"},
    {"Dalla data AAAA-MM-GG (ora locale, compresa)", "From the date YYYY-MM-DD (local time, included)"},
    {"Fino alla data AAAA-MM-GG (ora locale, compresa)", "Up to the date YYYY-MM-DD (local time, included)"},
    {"Stampa le voci come elenco JSON", "Prints the entries as a JSON list"},
    {"Stampa le voci in formato CSV", "Prints the entries as CSV"},
    {"Ricalcola la catena degli hash e indica la prima voce modificata, eliminata o inserita",
     "Recomputes the chain of hashes and names the first entry changed, deleted or inserted"},
    {"Firma elettronicamente un dossier di convalida, o imposta la password di firma; esce con 0 se firmato, con "
     "1 se la password è errata o la firma è bloccata, con 2 se non è possibile firmare",
     "Signs a validation dossier electronically, or sets the signature password; exits with 0 when signed, "
     "with 1 when the password is wrong or signing is locked, with 2 when signing is not possible"},
    {"Imposta o cambia la password di firma (chiesta due volte dal terminale, o una volta con --password-stdin)",
     "Sets or changes the signature password (asked twice on the terminal, or once with --password-stdin)"},
    {"Significato della firma: prepared, reviewed o approved", "Meaning of the signature: prepared, reviewed or "
                                                               "approved"},
    {"Commento della firma", "Comment of the signature"},
    {"Legge la password come una riga dello standard input", "Reads the password as one line of standard input"},
    {"indicare --meaning e il dossier (DOSSIER.kvd), oppure --set-password",
     "give --meaning and the dossier (DOSSIER.kvd), or --set-password"},
};

}  // namespace

std::span<const MessageEntry> AuditAndCommandLineMessages()
{
    return kAuditAndCommandLine;
}

}  // namespace kestra
