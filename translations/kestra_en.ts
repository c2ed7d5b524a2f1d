<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="it_IT">
<context>
    <name>Kestra</name>
    <message>
        <source>&amp;Specificità</source>
        <translation>&amp;Specificity</translation>
    </message>
    <message>
        <source>&amp;Taratura</source>
        <translation>&amp;Calibration</translation>
    </message>
    <message>
        <source>&amp;Ripetibilità</source>
        <translation>&amp;Repeatability</translation>
    </message>
    <message>
        <source>Precisione &amp;intermedia</source>
        <translation>&amp;Intermediate precision</translation>
    </message>
    <message>
        <source>&amp;Riproducibilità</source>
        <translation>Re&amp;producibility</translation>
    </message>
    <message>
        <source>&amp;Accuratezza</source>
        <translation>&amp;Accuracy</translation>
    </message>
    <message>
        <source>&amp;Limite rilevazione e determinazione </source>
        <translation>&amp;Detection and quantitation limits</translation>
    </message>
    <message>
        <source>Affianca &amp;orizzontalmente</source>
        <translation>Tile &amp;horizontally</translation>
    </message>
    <message>
        <source>Affianca &amp;verticalmente</source>
        <translation>Tile &amp;vertically</translation>
    </message>
    <message>
        <source>&amp;Sovrapponi</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>&amp;Disponi icone</source>
        <translation>&amp;Arrange icons</translation>
    </message>
    <message>
        <source>Ragione Sociale</source>
        <translation>Company name</translation>
    </message>
    <message>
        <source>Titolare</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Responsabile chimico</source>
        <translation>Chemist in charge</translation>
    </message>
    <message>
        <source>Via</source>
        <translation>Street</translation>
    </message>
    <message>
        <source>Città</source>
        <translation>City</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>Postcode</translation>
    </message>
    <message>
        <source>Telefono</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>FAX</source>
        <translation>FAX</translation>
    </message>
    <message>
        <source>Indirizzo E-Mail</source>
        <translation>E-mail address</translation>
    </message>
    <message>
        <source>Sito WEB</source>
        <translation>Web site</translation>
    </message>
    <message>
        <source>Metodo analitico</source>
        <translation>Analytical method</translation>
    </message>
    <message>
        <source>Analita</source>
        <translation>Analyte</translation>
    </message>
    <message>
        <source>Campione</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>U.M. della conc. dell&apos;analita</source>
        <translation>Unit of the analyte conc.</translation>
    </message>
    <message>
        <source>Nuovo file</source>
        <translation>New file</translation>
    </message>
    <message>
        <source>Apri file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Salva file</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Taglia</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Copia</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Incolla</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Stampa report</source>
        <translation>Print report</translation>
    </message>
    <message>
        <source>Stampa grafico</source>
        <translation>Print chart</translation>
    </message>
    <message>
        <source>Calcola risultati</source>
        <translation>Calculate results</translation>
    </message>
    <message>
        <source>Descrizione metodo</source>
        <translation>Method description</translation>
    </message>
    <message>
        <source>Parametri statistica</source>
        <translation>Statistical parameters</translation>
    </message>
    <message>
        <source>Guida</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Normativa di riferimento ICH</source>
        <translation>ICH reference guideline</translation>
    </message>
    <message>
        <source>Testo di riferimento R.Brenzi</source>
        <translation>Reference book R.Brenzi</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&amp;Limite rilevazione e determinazione...</source>
        <translation>&amp;Detection and quantitation limits...</translation>
    </message>
    <message>
        <source>&amp;Specificità...</source>
        <translation>&amp;Specificity...</translation>
    </message>
    <message>
        <source>&amp;Taratura...</source>
        <translation>&amp;Calibration...</translation>
    </message>
    <message>
        <source>&amp;Ripetibilità...</source>
        <translation>&amp;Repeatability...</translation>
    </message>
    <message>
        <source>&amp;Accuratezza...</source>
        <translation>&amp;Accuracy...</translation>
    </message>
    <message>
        <source>&amp;Riproducibilità...</source>
        <translation>Re&amp;producibility...</translation>
    </message>
    <message>
        <source>Precisione &amp;intermedia...</source>
        <translation>&amp;Intermediate precision...</translation>
    </message>
    <message>
        <source>Doppio clic (o Ctrl+clic, o Invio) sul grafico per ingrandirlo a tutta la pagina o riportarlo a metà pagina</source>
        <translation>Double-click (or Ctrl+click, or Enter) on the chart to enlarge it to the whole page or bring it back to half the page</translation>
    </message>
    <message>
        <source>N. gruppi (concentrazioni)</source>
        <translation>No. of groups (concentrations)</translation>
    </message>
    <message>
        <source>N. dati per gruppo (risposte)</source>
        <translation>No. of values per group (responses)</translation>
    </message>
    <message>
        <source>N. serie</source>
        <translation>No. of series</translation>
    </message>
    <message>
        <source>N. dati per serie</source>
        <translation>No. of values per series</translation>
    </message>
    <message>
        <source>Risultati ottenuti nella determinazione dell&apos;analita in presenza di altre sostanze (prodotti di degradazione, impurezze di sintesi, eccipienti, ...)</source>
        <translation>Results of the determination of the analyte in the presence of other substances (degradation products, synthesis impurities, excipients, ...)</translation>
    </message>
    <message>
        <source>Risultati ottenuti nella determinazione dell&apos;analita in assenza di altre sostanze (prodotti di degradazione, impurezze di sintesi, eccipienti, ...)</source>
        <translation>Results of the determination of the analyte without other substances (degradation products, synthesis impurities, excipients, ...)</translation>
    </message>
    <message>
        <source>&amp;Titolo:</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>&amp;Documento:</source>
        <translation>&amp;Document:</translation>
    </message>
    <message>
        <source>Re&amp;visione:</source>
        <translation>Re&amp;vision:</translation>
    </message>
    <message>
        <source>Metodo a&amp;nalitico:</source>
        <translation>Analytical &amp;method:</translation>
    </message>
    <message>
        <source>Anal&amp;ita:</source>
        <translation>Anal&amp;yte:</translation>
    </message>
    <message>
        <source>Cam&amp;pione:</source>
        <translation>Sam&amp;ple:</translation>
    </message>
    <message>
        <source>&amp;Unità di misura:</source>
        <translation>&amp;Unit of measure:</translation>
    </message>
    <message>
        <source>Tecnic&amp;a:</source>
        <translation>Tech&amp;nique:</translation>
    </message>
    <message>
        <source>da</source>
        <translation>from</translation>
    </message>
    <message>
        <source>a</source>
        <translation>to</translation>
    </message>
    <message>
        <source>unità</source>
        <translation>unit</translation>
    </message>
    <message>
        <source>Informazioni su Kestra 2006</source>
        <translation>About Kestra 2006</translation>
    </message>
    <message>
        <source>Versione %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Validazione dei metodi analitici secondo la linea guida ICH Q2: limiti di rilevazione e determinazione, ripetibilità, taratura, accuratezza, specificità, precisione intermedia e riproducibilità, al livello di confidenza del 95 %.

Ogni studio si salva nel proprio file e si stampa in italiano o in inglese.</source>
        <translation>Validation of analytical methods along the ICH Q2 guideline: detection and quantitation limits, repeatability, calibration, accuracy, specificity, intermediate precision and reproducibility, at the 95 % confidence level.

Each study is saved in its own file and printed in Italian or in English.</translation>
    </message>
    <message>
        <source>Guida di Kestra 2006</source>
        <translation>Kestra 2006 Help</translation>
    </message>
    <message>
        <source>&lt; Indietro</source>
        <translation>&lt; Back</translation>
    </message>
    <message>
        <source>Avanti &gt;</source>
        <translation>Forward &gt;</translation>
    </message>
    <message>
        <source>Sommario</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuova convalida...</source>
        <translation>&amp;New validation...</translation>
    </message>
    <message>
        <source>Apri &amp;convalida...</source>
        <translation>Open &amp;validation...</translation>
    </message>
    <message>
        <source>&amp;Anagrafica Azienda</source>
        <translation>&amp;Company data</translation>
    </message>
    <message>
        <source>Opzioni</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Backup dati</source>
        <translation>Back up data</translation>
    </message>
    <message>
        <source>&amp;Uscita</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Metodi</source>
        <translation>&amp;Methods</translation>
    </message>
    <message>
        <source>&amp;Precisione</source>
        <translation>&amp;Precision</translation>
    </message>
    <message>
        <source>&amp;Finestre</source>
        <translation>&amp;Windows</translation>
    </message>
    <message>
        <source>&amp;Guida in linea</source>
        <translation>&amp;Help contents</translation>
    </message>
    <message>
        <source>&amp;Normativa di riferimento ICH</source>
        <translation>ICH reference &amp;guideline</translation>
    </message>
    <message>
        <source>&amp;Testo di riferimento R.Brenzi</source>
        <translation>&amp;Reference book R.Brenzi</translation>
    </message>
    <message>
        <source>&amp;Verifica del programma...</source>
        <translation>&amp;Program verification...</translation>
    </message>
    <message>
        <source>Il file %1 non è un file di studio che questa versione sa aprire.</source>
        <translation>The file %1 is not a study file this version can open.</translation>
    </message>
    <message>
        <source>Impossibile trovare il file della guida %1</source>
        <translation>Cannot find the help file %1</translation>
    </message>
    <message>
        <source>Metodo: %1</source>
        <translation>Method: %1</translation>
    </message>
    <message>
        <source>Impossibile trovare il file %1</source>
        <translation>Cannot find the file %1</translation>
    </message>
    <message>
        <source>Elementi di statistica</source>
        <translation>Elements of statistics</translation>
    </message>
    <message>
        <source>Documento non trovato:<byte value="xd"/>
%1</source>
        <translation>Document not found:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Imposta stampante</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>Cartella:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>Scegli</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cartelle</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Sfoglia...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Effettua automaticamente il backup dei dati alla chiusura del programma</source>
        <translation>Back up the data automatically when the program closes</translation>
    </message>
    <message>
        <source>Cartella predefinita salvataggio file metodi</source>
        <translation>Default folder for saving method files</translation>
    </message>
    <message>
        <source>Cartella predefinita backup file metodi</source>
        <translation>Default folder for method file backups</translation>
    </message>
    <message>
        <source>&amp;Lingua dell&apos;interfaccia</source>
        <translation>&amp;Language of the interface</translation>
    </message>
    <message>
        <source>La lingua scelta si applica al prossimo avvio del programma.</source>
        <translation>The chosen language applies from the next start of the program.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cartella salvataggio file metodi</source>
        <translation>Folder for saving method files</translation>
    </message>
    <message>
        <source>Cartella salvataggio backup file metodi</source>
        <translation>Folder for method file backups</translation>
    </message>
    <message>
        <source>Impossibile scrivere il file di configurazione %1</source>
        <translation>Cannot write the configuration file %1</translation>
    </message>
    <message>
        <source>Verifica del programma non eseguita:</source>
        <translation>Program verification not done:</translation>
    </message>
    <message>
        <source>Certificato non salvato:</source>
        <translation>Certificate not saved:</translation>
    </message>
    <message>
        <source>1 Metodo</source>
        <translation>1 Method</translation>
    </message>
    <message>
        <source>2 Studi</source>
        <translation>2 Studies</translation>
    </message>
    <message>
        <source>3 Criteri</source>
        <translation>3 Criteria</translation>
    </message>
    <message>
        <source>4 Esito</source>
        <translation>4 Outcome</translation>
    </message>
    <message>
        <source>5 Firme</source>
        <translation>5 Signatures</translation>
    </message>
    <message>
        <source>&amp;Apri convalida...</source>
        <translation>&amp;Open validation...</translation>
    </message>
    <message>
        <source>&amp;Salva</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Salva &amp;con nome...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Stampa &amp;dossier...</source>
        <translation>Print &amp;dossier...</translation>
    </message>
    <message>
        <source>C&amp;hiudi</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Mo&amp;difica</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Annulla</source>
        <comment>modifica</comment>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Ripeti</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Convalida</source>
        <translation>&amp;Validation</translation>
    </message>
    <message>
        <source>&amp;Valuta</source>
        <translation>&amp;Evaluate</translation>
    </message>
    <message>
        <source>Aggiungi &amp;studio...</source>
        <translation>Add &amp;study...</translation>
    </message>
    <message>
        <source>Aggiungi c&amp;riterio</source>
        <translation>Add c&amp;riterion</translation>
    </message>
    <message>
        <source>&amp;Proponi criteri</source>
        <translation>&amp;Propose criteria</translation>
    </message>
    <message>
        <source>Con&amp;ferma proposte</source>
        <translation>Con&amp;firm proposals</translation>
    </message>
    <message>
        <source>Convalida - </source>
        <translation>Validation - </translation>
    </message>
    <message>
        <source>nessun file</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>Soglia di riporto (il limite di determinazione deve esserle uguale o inferiore):</source>
        <translation>Reporting threshold (the quantitation limit must be equal to it or lower):</translation>
    </message>
    <message>
        <source>Limite dell&apos;impurezza (il limite di rilevazione deve esserle uguale o inferiore):</source>
        <translation>Impurity limit (the detection limit must be equal to it or lower):</translation>
    </message>
    <message>
        <source>Per lo scopo &quot;Altro&quot; non ci sono criteri da proporre.</source>
        <translation>There are no criteria to propose for the purpose &quot;Other&quot;.</translation>
    </message>
    <message>
        <source>Proponi criteri</source>
        <translation>Propose criteria</translation>
    </message>
    <message>
        <source>Conferma proposte</source>
        <translation>Confirm proposals</translation>
    </message>
    <message>
        <source>Il file %1 non è un file di studio (attese le estensioni LIM, PRE, TAR, ACC, SPC, PRI, RIP).</source>
        <translation>The file %1 is not a study file (expected the extensions LIM, PRE, TAR, ACC, SPC, PRI, RIP).</translation>
    </message>
    <message>
        <source>Aggiungi studio</source>
        <translation>Add study</translation>
    </message>
    <message>
        <source>Rimuovi studio</source>
        <translation>Remove study</translation>
    </message>
    <message>
        <source>Il file %1 non esiste.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>Aggiungi criterio</source>
        <translation>Add criterion</translation>
    </message>
    <message>
        <source>Rimuovi criterio</source>
        <translation>Remove criterion</translation>
    </message>
    <message>
        <source>letto e calcolato</source>
        <translation>read and calculated</translation>
    </message>
    <message>
        <source>letto con valori non letti come scritti</source>
        <translation>read, with values not read as written</translation>
    </message>
    <message>
        <source>file mancante</source>
        <translation>file missing</translation>
    </message>
    <message>
        <source>file illeggibile</source>
        <translation>file unreadable</translation>
    </message>
    <message>
        <source>non è uno studio</source>
        <translation>not a study</translation>
    </message>
    <message>
        <source>calcolo non eseguito</source>
        <translation>calculation not done</translation>
    </message>
    <message>
        <source>Sc&amp;opo del metodo:</source>
        <translation>Purp&amp;ose of the method:</translation>
    </message>
    <message>
        <source>Scopo del metodo</source>
        <translation>Purpose of the method</translation>
    </message>
    <message>
        <source>Inte&amp;rvallo di lavoro:</source>
        <translation>Wo&amp;rking range:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; non è un numero: l&apos;intervallo di lavoro resta com&apos;era.</source>
        <translation>&quot;%1&quot; is not a number: the working range stays as it was.</translation>
    </message>
    <message>
        <source>Intervallo di lavoro</source>
        <translation>Working range</translation>
    </message>
    <message>
        <source>Modifica del metodo</source>
        <translation>Change of the method</translation>
    </message>
    <message>
        <source>Identificativo</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>Etichetta</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Stato</source>
        <translation>State</translation>
    </message>
    <message>
        <source>A&amp;ggiungi...</source>
        <translation>A&amp;dd...</translation>
    </message>
    <message>
        <source>&amp;Rimuovi</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>A&amp;pri</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>L&apos;identificativo &quot;%1&quot; è vuoto o è già usato da un altro studio.</source>
        <translation>The identifier &quot;%1&quot; is empty or already used by another study.</translation>
    </message>
    <message>
        <source>Identificativo dello studio</source>
        <translation>Identifier of the study</translation>
    </message>
    <message>
        <source>Etichetta dello studio</source>
        <translation>Label of the study</translation>
    </message>
    <message>
        <source>non valutato</source>
        <translation>not evaluated</translation>
    </message>
    <message>
        <source>Caratteristica</source>
        <translation>Characteristic</translation>
    </message>
    <message>
        <source>Studio</source>
        <translation>Study</translation>
    </message>
    <message>
        <source>Grandezza</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Prova</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Limite</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Limite: un valore, o due separati da &quot;;&quot; per &quot;compreso tra&quot; ed &quot;esterno a&quot;. Il risultato è arrotondato ai decimali scritti nel limite prima del confronto.</source>
        <translation>Limit: one value, or two separated by &quot;;&quot; for &quot;between&quot; and &quot;outside&quot;. The result is rounded to the decimals written in the limit before the comparison.</translation>
    </message>
    <message>
        <source>A&amp;ggiungi criterio</source>
        <translation>A&amp;dd criterion</translation>
    </message>
    <message>
        <source>&amp;Rimuovi criterio</source>
        <translation>&amp;Remove criterion</translation>
    </message>
    <message>
        <source>Conferma propos&amp;te</source>
        <translation>Confirm propos&amp;als</translation>
    </message>
    <message>
        <source>&quot;%1&quot; non è un numero: il limite resta com&apos;era.</source>
        <translation>&quot;%1&quot; is not a number: the limit stays as it was.</translation>
    </message>
    <message>
        <source>Un limite ha al più due valori (minimo ; massimo).</source>
        <translation>A limit has at most two values (minimum ; maximum).</translation>
    </message>
    <message>
        <source>Limite del criterio</source>
        <translation>Limit of the criterion</translation>
    </message>
    <message>
        <source>Modifica del criterio</source>
        <translation>Change of the criterion</translation>
    </message>
    <message>
        <source>(nessuno)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>proposto</source>
        <translation>proposed</translation>
    </message>
    <message>
        <source>confermato</source>
        <translation>confirmed</translation>
    </message>
    <message>
        <source>&amp;Valuta (F9)</source>
        <translation>&amp;Evaluate (F9)</translation>
    </message>
    <message>
        <source>Il dossier è cambiato dopo la valutazione: premere F9 per valutarlo di nuovo.</source>
        <translation>The dossier has changed since the evaluation: press F9 to evaluate it again.</translation>
    </message>
    <message>
        <source>N.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Criterio</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>Risultato</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Confrontato</source>
        <translation>Compared</translation>
    </message>
    <message>
        <source>Esito</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Motivo</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>Esito: non ancora valutato (F9)</source>
        <translation>Outcome: not evaluated yet (F9)</translation>
    </message>
    <message>
        <source>Esito: da valutare di nuovo (F9)</source>
        <translation>Outcome: to be evaluated again (F9)</translation>
    </message>
    <message>
        <source>Esito: %1</source>
        <translation>Outcome: %1</translation>
    </message>
    <message>
        <source> - aperto con modifiche non salvate: il dossier usa il file salvato</source>
        <translation> - open with unsaved changes: the dossier uses the saved file</translation>
    </message>
    <message>
        <source>Ruolo</source>
        <translation>Role</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Preparato da</source>
        <translation>Prepared by</translation>
    </message>
    <message>
        <source>Verificato da</source>
        <translation>Reviewed by</translation>
    </message>
    <message>
        <source>Approvato da</source>
        <translation>Approved by</translation>
    </message>
    <message>
        <source>A&amp;ggiungi firma</source>
        <translation>A&amp;dd signature</translation>
    </message>
    <message>
        <source>Aggiungi firma</source>
        <translation>Add signature</translation>
    </message>
    <message>
        <source>&amp;Rimuovi firma</source>
        <translation>&amp;Remove signature</translation>
    </message>
    <message>
        <source>Rimuovi firma</source>
        <translation>Remove signature</translation>
    </message>
    <message>
        <source>Firma</source>
        <translation>Signature</translation>
    </message>
    <message>
        <source>Concentrazioni</source>
        <translation>Concentrations</translation>
    </message>
    <message>
        <source>Valori</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Nota</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Statistica estesa</source>
        <translation>Extended statistics</translation>
    </message>
    <message>
        <source>Valori con 6 cifre significative; il valore completo compare nel suggerimento della cella. Ctrl+C copia le righe scelte.</source>
        <translation>Values with 6 significant digits; the full value shows in the cell&apos;s tooltip. Ctrl+C copies the chosen rows.</translation>
    </message>
    <message>
        <source>Chiave: </source>
        <translation>Key: </translation>
    </message>
    <message>
        <source>Valore completo: </source>
        <translation>Full value: </translation>
    </message>
    <message>
        <source>Formato numeri</source>
        <translation>Number format</translation>
    </message>
    <message>
        <source>&amp;Annulla</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Numero degli interi</source>
        <translation>Integer digits</translation>
    </message>
    <message>
        <source>Numero dei decimali</source>
        <translation>Decimal digits</translation>
    </message>
    <message>
        <source>Imposta il numero degli interi e dei decimali</source>
        <translation>Set the number of integer and decimal digits</translation>
    </message>
    <message>
        <source>La somma di interi e decimali non puo&apos; eccedere 13</source>
        <translation>Integer and decimal digits together cannot exceed 13</translation>
    </message>
    <message>
        <source>Il valore degli interi deve essere &gt; 0</source>
        <translation>The integer digits must be &gt; 0</translation>
    </message>
    <message>
        <source>&amp;Sì</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Apri</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Cerca in:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Nome file:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Tipo file:</source>
        <translation>File type:</translation>
    </message>
    <message>
        <source>Salva con nome</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Apri</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Il file %1 esiste già.<byte value="xd"/>
Vuoi sostituirlo?</source>
        <translation>The file %1 already exists.<byte value="xd"/>
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Salva il certificato</source>
        <translation>Save the certificate</translation>
    </message>
    <message>
        <source>Documenti PDF (*.pdf *.PDF)</source>
        <translation>PDF documents (*.pdf *.PDF)</translation>
    </message>
    <message>
        <source>Apri convalida</source>
        <translation>Open validation</translation>
    </message>
    <message>
        <source>Salva convalida con nome</source>
        <translation>Save validation as</translation>
    </message>
    <message>
        <source>Aggiungi uno studio al dossier</source>
        <translation>Add a study to the dossier</translation>
    </message>
    <message>
        <source>Salva il dossier in PDF</source>
        <translation>Save the dossier as PDF</translation>
    </message>
    <message>
        <source>File degli studi (%1)</source>
        <translation>Study files (%1)</translation>
    </message>
    <message>
        <source>Dossier di convalida (*.kvd *.KVD)</source>
        <translation>Validation dossiers (*.kvd *.KVD)</translation>
    </message>
    <message>
        <source>Risultati non aggiornati: premere Calcola</source>
        <translation>Results out of date: press Calculate</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Conclusioni</source>
        <translation>Conclusions</translation>
    </message>
    <message>
        <source>Mostra il testo delle conclusioni</source>
        <translation>Shows the text of the conclusions</translation>
    </message>
    <message>
        <source>Griglia per l&apos;inserimento dei dati</source>
        <translation>Grid for entering the data</translation>
    </message>
    <message>
        <source>Mostra i risultati dell&apos;elaborazione</source>
        <translation>Shows the results of the calculation</translation>
    </message>
    <message>
        <source>Mostra la statistica estesa dei dati calcolati</source>
        <translation>Shows the extended statistics of the calculated data</translation>
    </message>
    <message>
        <source>&amp;Nuovo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Apri...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Salva con &amp;nome...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>&amp;Stampa...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Stampa &amp;grafico...</source>
        <translation>Print c&amp;hart...</translation>
    </message>
    <message>
        <source>&amp;Imposta stampante...</source>
        <translation>Printer se&amp;tup...</translation>
    </message>
    <message>
        <source>&amp;Chiudi</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Modifica</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Taglia</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copia</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Incolla</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Ca&amp;ncella</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>&amp;Strumenti</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Calcola</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>&amp;Setup formato numeri...</source>
        <translation>&amp;Number format setup...</translation>
    </message>
    <message>
        <source>M&amp;etodi</source>
        <translation>&amp;Methods</translation>
    </message>
    <message>
        <source>&amp;Metodo</source>
        <translation>&amp;Method</translation>
    </message>
    <message>
        <source>&amp;Parametri fondamentali di statistica</source>
        <translation>&amp;Basic statistical parameters</translation>
    </message>
    <message>
        <source>Scheda seguente</source>
        <translation>Next tab</translation>
    </message>
    <message>
        <source>Scheda precedente</source>
        <translation>Previous tab</translation>
    </message>
    <message>
        <source>Barra degli strumenti</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Doppio clic per impostare il formato dei numeri</source>
        <translation>Double-click to set the number format</translation>
    </message>
    <message>
        <source>Formato numeri: Interi %1  Decimali %2</source>
        <translation>Number format: Integers %1  Decimals %2</translation>
    </message>
    <message>
        <source>Impossibile avviare la stampa sulla stampante &quot;%1&quot;.</source>
        <translation>Cannot start printing on the printer &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Impossibile scrivere il file %1.</source>
        <translation>Cannot write the file %1.</translation>
    </message>
    <message>
        <source>Layout di stampa</source>
        <translation>Print layout</translation>
    </message>
    <message>
        <source>Orientamento</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>&amp;Verticale</source>
        <translation>&amp;Portrait</translation>
    </message>
    <message>
        <source>&amp;Orizzontale</source>
        <translation>&amp;Landscape</translation>
    </message>
    <message>
        <source>Margini</source>
        <translation>Margins</translation>
    </message>
    <message>
        <source>Sinistro</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Destro</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Alto</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Basso</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Dimensioni</source>
        <comment>grafico</comment>
        <translation>Size</translation>
    </message>
    <message>
        <source>&amp;Pagina intera</source>
        <translation>&amp;Whole page</translation>
    </message>
    <message>
        <source>&amp;Attuale</source>
        <translation>&amp;Current</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>S&amp;tampante</source>
        <translation>P&amp;rinter</translation>
    </message>
    <message>
        <source>&amp;Schermo</source>
        <translation>&amp;Screen</translation>
    </message>
    <message>
        <source>Il margine &quot;%1&quot; non è valido: scrivere un numero di millimetri da 0 a %2.</source>
        <translation>The margin &quot;%1&quot; is not valid: write a number of millimetres from 0 to %2.</translation>
    </message>
    <message>
        <source>Salva grafico</source>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>Documento PDF (*.pdf);;Immagine PNG (*.png)</source>
        <translation>PDF document (*.pdf);;PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Scegli la lingua del grafico</source>
        <translation>Choose the language of the chart</translation>
    </message>
    <message>
        <source>Grafico da stampare</source>
        <translation>Chart to print</translation>
    </message>
    <message>
        <source>Regressione</source>
        <translation>Regression</translation>
    </message>
    <message>
        <source>Proporzionalità</source>
        <translation>Proportionality</translation>
    </message>
    <message>
        <source>Residui</source>
        <translation>Residuals</translation>
    </message>
    <message>
        <source>Stampante:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>Layout...</source>
        <translation>Layout...</translation>
    </message>
    <message>
        <source>Imposta...</source>
        <translation>Setup...</translation>
    </message>
    <message>
        <source>Salva come file...</source>
        <translation>Save as file...</translation>
    </message>
    <message>
        <source>Salva il grafico in un documento PDF o in un&apos;immagine PNG</source>
        <translation>Saves the chart in a PDF document or a PNG picture</translation>
    </message>
    <message>
        <source>Errore %1 nella procedura frmAnagraf.%2.<byte value="xd"/>
<byte value="xd"/>
%3</source>
        <translation>Error %1 in procedure frmAnagraf.%2.<byte value="xd"/>
<byte value="xd"/>
%3</translation>
    </message>
    <message>
        <source>Immagini %1 (%2)</source>
        <translation>Pictures %1 (%2)</translation>
    </message>
    <message>
        <source>Anagrafica azienda</source>
        <translation>Company data</translation>
    </message>
    <message>
        <source>Dimensioni logo</source>
        <translation>Logo size</translation>
    </message>
    <message>
        <source>Dimensioni reali del logo per il report, massime 10.00 x 5.00 cm</source>
        <translation>Real size of the logo on the report, at most 10.00 x 5.00 cm</translation>
    </message>
    <message>
        <source>Intera immagine</source>
        <translation>Whole picture</translation>
    </message>
    <message>
        <source>Dimensioni reali</source>
        <translation>Real size</translation>
    </message>
    <message>
        <source>&amp;Scegli logo</source>
        <translation>C&amp;hoose logo</translation>
    </message>
    <message>
        <source>Cancella logo</source>
        <translation>Remove logo</translation>
    </message>
    <message>
        <source>&amp;Salva modifiche</source>
        <translation>&amp;Save changes</translation>
    </message>
    <message>
        <source>Scegli logo</source>
        <translation>Choose logo</translation>
    </message>
    <message>
        <source>I dati sono stati salvati</source>
        <translation>The data have been saved</translation>
    </message>
    <message>
        <source>Parametri report</source>
        <translation>Report parameters</translation>
    </message>
    <message>
        <source>Scegli la lingua del report</source>
        <translation>Choose the language of the report</translation>
    </message>
    <message>
        <source> (frecce sinistra e destra)</source>
        <translation> (left and right arrows)</translation>
    </message>
    <message>
        <source>Stampa la data</source>
        <translation>Print the date</translation>
    </message>
    <message>
        <source>Aggiungi statistica estesa</source>
        <translation>Add extended statistics</translation>
    </message>
    <message>
        <source>Aggiunge al report una pagina con la statistica estesa</source>
        <translation>Adds a page with the extended statistics to the report</translation>
    </message>
    <message>
        <source>Anteprima di stampa</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Stampa...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Prima pagina</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>Pagina precedente</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Pagina successiva</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Ultima pagina</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>Riduci</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Ingrandisci</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Larghezza pagina</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>Pagina intera</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>Esporta PDF...</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <source>Esporta PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>Documenti PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>Nessuna stampante installata</source>
        <translation>No printer installed</translation>
    </message>
    <message>
        <source> Info/Conclusioni</source>
        <translation> Info/Conclusions</translation>
    </message>
    <message>
        <source>Dati</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Dimensioni</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>N. determinazioni</source>
        <translation>No. of determinations</translation>
    </message>
    <message>
        <source>min. 3, max. 99</source>
        <translation>min. 3, max. 99</translation>
    </message>
    <message>
        <source>(min. 3)</source>
        <translation>(min. 3)</translation>
    </message>
    <message>
        <source>1 Livello di concentrazione</source>
        <translation>1 concentration level</translation>
    </message>
    <message>
        <source>3 Livelli di concentrazione</source>
        <translation>3 concentration levels</translation>
    </message>
    <message>
        <source>Risultato dell&apos;elaborazione</source>
        <translation>Calculation result</translation>
    </message>
    <message>
        <source>Accuratezza</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>Accuratezza livello superiore</source>
        <translation>Accuracy upper level</translation>
    </message>
    <message>
        <source>Accuratezza livello centrale</source>
        <translation>Accuracy central level</translation>
    </message>
    <message>
        <source>Accuratezza livello inferiore</source>
        <translation>Accuracy lower level</translation>
    </message>
    <message>
        <source>Accuratezza media</source>
        <translation>Mean accuracy</translation>
    </message>
    <message>
        <source>ACCURATEZZA: Analisi della varianza</source>
        <translation>ACCURACY: Analysis of variance</translation>
    </message>
    <message>
        <source>Grafico</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Info/Conclusioni</source>
        <translation>Info/Conclusions</translation>
    </message>
    <message>
        <source>N. dati totali</source>
        <translation>Total no. of values</translation>
    </message>
    <message>
        <source>Clic su una concentrazione per modificare le concentrazioni</source>
        <translation>Click a concentration to change the concentrations</translation>
    </message>
    <message>
        <source>Dati della retta di regressione</source>
        <translation>Regression line data</translation>
    </message>
    <message>
        <source>LINEARITA&apos;: Analisi della varianza</source>
        <translation>LINEARITY: Analysis of variance</translation>
    </message>
    <message>
        <source>Grafici</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>C&amp;oncentrazioni...</source>
        <translation>C&amp;oncentrations...</translation>
    </message>
    <message>
        <source>Concentrazioni %1</source>
        <translation>Concentrations %1</translation>
    </message>
    <message>
        <source>Risultati ottenuti da:</source>
        <translation>Results obtained from:</translation>
    </message>
    <message>
        <source>Risultati</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Deviazione std. tra analisi</source>
        <translation>Std. deviation between analyses</translation>
    </message>
    <message>
        <source>Deviazione std. di riproducibilità</source>
        <translation>Reproducibility std. deviation</translation>
    </message>
    <message>
        <source>Precisione (come riproducibilità)</source>
        <translation>Precision (as reproducibility)</translation>
    </message>
    <message>
        <source>Medie serie</source>
        <translation>Series means</translation>
    </message>
    <message>
        <source>Info/Dati</source>
        <translation>Info/Data</translation>
    </message>
    <message>
        <source>N. di misure di una concentrazione (quantità) prossima al limite di rilevabilità e del valore del bianco</source>
        <translation>No. of measurements of a concentration (amount) close to the detection limit and of the blank value</translation>
    </message>
    <message>
        <source>min. 5, max. 99</source>
        <translation>min. 5, max. 99</translation>
    </message>
    <message>
        <source>(min. 5)</source>
        <translation>(min. 5)</translation>
    </message>
    <message>
        <source>Limite di rilevazione</source>
        <translation>Detection limit</translation>
    </message>
    <message>
        <source>Limite di determinazione</source>
        <translation>Quantitation limit</translation>
    </message>
    <message>
        <source>Dev. standard</source>
        <translation>Std. deviation</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>GdL</source>
        <translation>DF</translation>
    </message>
    <message>
        <source>Limiti di confidenza della media</source>
        <translation>Confidence limits of the mean</translation>
    </message>
    <message>
        <source>Inferiore</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>Superiore</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>Intervallo di Confidenza</source>
        <translation>Confidence interval</translation>
    </message>
    <message>
        <source>Gruppo A</source>
        <translation>Group A</translation>
    </message>
    <message>
        <source>Gruppo B</source>
        <translation>Group B</translation>
    </message>
    <message>
        <source>Verifica del programma eseguita.</source>
        <translation>Program verification done.</translation>
    </message>
    <message>
        <source>Casi falliti:</source>
        <translation>Failed cases:</translation>
    </message>
    <message>
        <source>... e altri %1 (elencati nel certificato)</source>
        <translation>... and %1 more (listed in the certificate)</translation>
    </message>
    <message>
        <source>atteso %1, ottenuto %2</source>
        <translation>expected %1, obtained %2</translation>
    </message>
    <message>
        <source>Vuoi salvare il certificato in PDF?<byte value="xd"/>
Sì: certificato in italiano<byte value="xd"/>
No: certificato in inglese<byte value="xd"/>
Annulla: nessun certificato</source>
        <translation>Do you want to save the certificate as PDF?<byte value="xd"/>
Yes: certificate in Italian<byte value="xd"/>
No: certificate in English<byte value="xd"/>
Cancel: no certificate</translation>
    </message>
    <message>
        <source>N&amp;uova convalida...</source>
        <translation>New &amp;validation...</translation>
    </message>
    <message>
        <source>Apri con&amp;valida...</source>
        <translation>Open val&amp;idation...</translation>
    </message>
    <message>
        <source>S trat. =</source>
        <translation>S treat. =</translation>
    </message>
    <message>
        <source>S ripr. =</source>
        <translation>S repr. =</translation>
    </message>
    <message>
        <source>&amp;Registro delle modifiche...</source>
        <translation>&amp;Audit trail...</translation>
    </message>
    <message>
        <source>Il registro delle modifiche non è disponibile.</source>
        <translation>The audit trail is not available.</translation>
    </message>
    <message>
        <source>Firma elettronica</source>
        <translation>Electronic signature</translation>
    </message>
    <message>
        <source>Chiedi il &amp;motivo a ogni salvataggio</source>
        <translation>Ask the &amp;reason at every save</translation>
    </message>
    <message>
        <source>Cronolo&amp;gia del file...</source>
        <translation>File &amp;history...</translation>
    </message>
    <message>
        <source>Una firma elettronica resta nel dossier: non si rimuove.</source>
        <translation>An electronic signature stays in the dossier: it is not removed.</translation>
    </message>
    <message>
        <source>F&amp;irma...</source>
        <translation>S&amp;ign...</translation>
    </message>
    <message>
        <source>Salvare il dossier prima di firmarlo: la firma vale per il dossier salvato.</source>
        <translation>Save the dossier before signing it: the signature is for the saved dossier.</translation>
    </message>
    <message>
        <source>Fi&amp;rma...</source>
        <translation>Si&amp;gn...</translation>
    </message>
    <message>
        <source>Crono&amp;logia del file...</source>
        <translation>File histor&amp;y...</translation>
    </message>
    <message>
        <source>(tutti)</source>
        <translation>(all)</translation>
    </message>
    <message>
        <source>Registro delle modifiche</source>
        <translation>Audit trail</translation>
    </message>
    <message>
        <source>Cronologia del file </source>
        <translation>History of the file </translation>
    </message>
    <message>
        <source>&amp;Dal</source>
        <translation>&amp;From</translation>
    </message>
    <message>
        <source>A&amp;l</source>
        <translation>&amp;To</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <source>&amp;Utente:</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <source>&amp;Azione:</source>
        <translation>&amp;Action:</translation>
    </message>
    <message>
        <source>Periodo:</source>
        <translation>Period:</translation>
    </message>
    <message>
        <source>Data e ora</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Utente</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Azione</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Prima</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>Dopo</source>
        <translation>After</translation>
    </message>
    <message>
        <source>&amp;Verifica registro</source>
        <translation>&amp;Verify trail</translation>
    </message>
    <message>
        <source>Esporta &amp;PDF...</source>
        <translation>Export &amp;PDF...</translation>
    </message>
    <message>
        <source>Esporta &amp;CSV...</source>
        <translation>Export &amp;CSV...</translation>
    </message>
    <message>
        <source>Esporta CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Nessuna voce.</source>
        <translation>No entries.</translation>
    </message>
    <message>
        <source>Voce %1 — %2 UTC — %3@%4 — versione %5 (%6)</source>
        <translation>Entry %1 — %2 UTC — %3@%4 — version %5 (%6)</translation>
    </message>
    <message>
        <source>File precedente: </source>
        <translation>Previous file: </translation>
    </message>
    <message>
        <source>SHA-256 prima: </source>
        <translation>SHA-256 before: </translation>
    </message>
    <message>
        <source>SHA-256 dopo: </source>
        <translation>SHA-256 after: </translation>
    </message>
    <message>
        <source>Motivo: </source>
        <translation>Reason: </translation>
    </message>
    <message>
        <source>Altre %1 modifiche non elencate (oltre il limite di %2)</source>
        <translation>%1 more changes not listed (beyond the limit of %2)</translation>
    </message>
    <message>
        <source>Motivo della modifica</source>
        <translation>Reason for the change</translation>
    </message>
    <message>
        <source>%1 porta una firma elettronica valida: il salvataggio cambia il contenuto firmato.
Indicare il motivo della modifica (obbligatorio); resterà nel registro delle modifiche.</source>
        <translation>%1 carries a valid electronic signature: saving changes the signed content.
Give the reason for the change (required); it stays in the audit trail.</translation>
    </message>
    <message>
        <source>Motivo della modifica di %1 (facoltativo); resterà nel registro delle modifiche.</source>
        <translation>Reason for the change of %1 (optional); it stays in the audit trail.</translation>
    </message>
    <message>
        <source>Firma elettronica di %1</source>
        <translation>Electronic signature of %1</translation>
    </message>
    <message>
        <source>Firmatario:</source>
        <translation>Signer:</translation>
    </message>
    <message>
        <source>&amp;Significato:</source>
        <translation>&amp;Meaning:</translation>
    </message>
    <message>
        <source>&amp;Commento:</source>
        <translation>&amp;Comment:</translation>
    </message>
    <message>
        <source>&amp;Password di firma:</source>
        <translation>Signature &amp;password:</translation>
    </message>
    <message>
        <source>&amp;Firma</source>
        <translation>&amp;Sign</translation>
    </message>
    <message>
        <source>&amp;Imposta password</source>
        <translation>&amp;Set password</translation>
    </message>
    <message>
        <source>&amp;Nuova password di firma:</source>
        <translation>&amp;New signature password:</translation>
    </message>
    <message>
        <source>&amp;Ripetere la password:</source>
        <translation>&amp;Repeat the password:</translation>
    </message>
    <message>
        <source>La password di firma è impostata. Per cambiarla scriverne una nuova due volte.</source>
        <translation>The signature password is set. To change it write a new one twice.</translation>
    </message>
    <message>
        <source>La password di firma non è ancora impostata: serve per firmare elettronicamente dossier e report (almeno %1 caratteri).</source>
        <translation>The signature password is not set yet: it is needed to sign dossiers and reports electronically (at least %1 characters).</translation>
    </message>
    <message>
        <source>Le due password non coincidono.</source>
        <translation>The two passwords do not match.</translation>
    </message>
    <message>
        <source>Concentrazioni ricalcolate</source>
        <translation>Concentrations read back</translation>
    </message>
    <message>
        <source>Concentrazioni ricalcolate dalla retta</source>
        <translation>Concentrations read back from the line</translation>
    </message>
    <message>
        <source>File CSV (*.csv *.CSV)</source>
        <translation>CSV files (*.csv *.CSV)</translation>
    </message>
    <message>
        <source>Le firme elettroniche dello studio non si possono leggere dal registro delle modifiche: il report lo dice al loro posto.

%1</source>
        <translation>The study&apos;s electronic signatures cannot be read from the audit trail: the report says so in their place.

%1</translation>
    </message>
    <message>
        <source>REGISTRO DELLE MODIFICHE</source>
        <translation>AUDIT TRAIL</translation>
    </message>
    <message>
        <source>Voci</source>
        <translation>Entries</translation>
    </message>
    <message>
        <source>Verifica della catena</source>
        <translation>Chain check</translation>
    </message>
    <message>
        <source>File e modifiche</source>
        <translation>File and changes</translation>
    </message>
    <message>
        <source>(da %1)</source>
        <translation>(from %1)</translation>
    </message>
    <message>
        <source>file %1</source>
        <translation>file %1</translation>
    </message>
    <message>
        <source>utente %1</source>
        <translation>user %1</translation>
    </message>
    <message>
        <source>azione %1</source>
        <translation>action %1</translation>
    </message>
    <message>
        <source>dal %1</source>
        <translation>from %1</translation>
    </message>
    <message>
        <source>al %1</source>
        <translation>to %1</translation>
    </message>
    <message>
        <source>Tutte le voci</source>
        <translation>All entries</translation>
    </message>
    <message>
        <source>Voci con %1</source>
        <translation>Entries with %1</translation>
    </message>
    <message>
        <source>impaginazione del report %1</source>
        <translation>laying out the report %1</translation>
    </message>
    <message>
        <source>stampa del report</source>
        <translation>printing the report</translation>
    </message>
    <message>
        <source>il dispositivo di stampa non è pronto</source>
        <translation>the printing device is not ready</translation>
    </message>
    <message>
        <source>esportazione PDF in &quot;%1&quot;</source>
        <translation>PDF export to &quot;%1&quot;</translation>
    </message>
    <message>
        <source>il file non può essere scritto</source>
        <translation>the file cannot be written</translation>
    </message>
    <message>
        <source>report dello studio %1: %2</source>
        <translation>report of the study %1: %2</translation>
    </message>
    <message>
        <source>Validazione dei metodi analitici</source>
        <translation>Validation of analytical methods</translation>
    </message>
</context>
</TS>
