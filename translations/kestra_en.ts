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
</context>
<context>
    <name>Ui</name>
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
        <source>Chiudi</source>
        <translation>Close</translation>
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
        <source>Verifica del programma non eseguita:</source>
        <translation>Program verification not done:</translation>
    </message>
    <message>
        <source>Certificato non salvato:</source>
        <translation>Certificate not saved:</translation>
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
        <source>Grandezza</source>
        <translation>Quantity</translation>
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
        <source>&amp;Salva</source>
        <translation>&amp;Save</translation>
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
        <source>Stampa grafico</source>
        <translation>Print chart</translation>
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
        <source>&amp;Chiudi</source>
        <translation>&amp;Close</translation>
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
</context>
</TS>
