#include "sheet/circuit_guide.h"

namespace idrovela::sheet {

namespace {

constexpr std::string_view kGuide = R"(<h2>Guida ai circuiti</h2>
<p>Un circuito è un albero di <b>tratti</b> che va dalla sorgente (la caldaia, il gruppo frigo)
ai <b>terminali</b> (radiatori, ventilconvettori, circuiti a pavimento). Come sul foglio di
calcolo a mano, il programma ricava le portate dai carichi, sceglie i tubi, somma le perdite di
ogni tratto e di ogni percorso, trova il circuito indice e dà la portata e la prevalenza della
pompa. Ogni modifica è ricalcolata subito; una modifica che il calcolo non accetta non cambia
nulla e il motivo compare accanto alla cella o sotto i campi.</p>
<p>I numeri si scrivono con la virgola decimale (1,5), senza separatori delle migliaia: il punto
non è accettato, perché «1.500» si potrebbe leggere in due modi.</p>

<h3>La finestra</h3>
<ul>
<li><b>In alto</b>, le impostazioni di tutto il circuito: nome, autore e note del progetto; il
fluido (acqua, glicole etilenico o propilenico con la sua percentuale in volume), le temperature
di mandata e di ritorno; i limiti di perdita e di velocità dei tubi automatici; i margini della
pompa. Un valore vale quando si lascia il campo o si preme <kbd>Invio</kbd>.</li>
<li><b>Il foglio</b>: un tratto per riga, ciascuno sotto il suo tratto a monte.</li>
<li><b>Accanto</b>, le schede: «Tratto» (il tratto selezionato e il suo terminale), «Avvisi»,
«Schema» (il disegno del circuito) e «Curva dell'impianto».</li>
<li><b>In basso</b>, sempre in vista, il punto di lavoro della pompa.</li>
</ul>

<h3>Costruire un circuito</h3>
<ol>
<li><b>Il fluido.</b> Con File › Nuovo (<kbd>Ctrl+N</kbd>) si apre un circuito vuoto. In alto si
scelgono il fluido e le temperature di mandata e di ritorno: le proprietà del fluido sono prese
alla temperatura media, e il salto termico è la differenza tra le due.</li>
<li><b>Un tratto.</b> <kbd>Ins</kbd> aggiunge un tratto sotto quello selezionato, o alla sorgente
se nessuno lo è. Il tratto nuovo prende il primo id libero (T1, T2, …) e un tubo automatico della
stessa serie. Nel foglio si scrivono l'id, la descrizione, il tubo e la lunghezza: <kbd>F2</kbd>,
un doppio clic o il primo tasto scritto aprono la cella. Il tubo si sceglie da un elenco: ogni tubo
di ogni serie, oppure «automatico», che prende il primo tubo della serie entro i limiti.</li>
<li><b>Una diramazione.</b> Un tratto che alimenta due o più tratti è una diramazione: si
seleziona il tratto da cui parte e si preme <kbd>Ins</kbd> per ogni ramo, oppure si seleziona un
ramo e <kbd>Shift+Ins</kbd> aggiunge un tratto accanto, sotto lo stesso tratto a monte. Un tratto
messo sotto quello sbagliato si sposta con Sposta sotto… (<kbd>Ctrl+M</kbd>).</li>
<li><b>Un terminale.</b> Nella scheda «Tratto» si spunta «Terminale alla fine del tratto», si
scrive che cosa è e il suo carico, come potenza in W o come portata in l/h. La perdita propria
dell'apparecchio si dà come Δp in Pa o come Kv in m³/h, o si lascia «Nessuna perdita».</li>
<li><b>Accidenti e valvole.</b> Accidenti e valvole… (<kbd>Ctrl+E</kbd>) apre gli accidenti del
tratto selezionato: quelli della libreria, ciascuno con il suo ζ, la fonte e il numero; altre
righe con un ζ proprio; le valvole, ciascuna con il suo Kv. Σζ, Z e la perdita delle valvole si
aggiornano a ogni cambiamento, alla portata e alla velocità del tratto.</li>
<li><b>Salvare.</b> <kbd>Ctrl+S</kbd> salva il circuito nel suo file. Finché ci sono modifiche
non salvate, il titolo porta un asterisco e il programma ne tiene una copia di recupero.</li>
</ol>

<h3>Mandata e ritorno insieme</h3>
<p>Un tratto rappresenta sia la tubazione di mandata sia quella di ritorno. <b>La lunghezza è
quella dei due tubi insieme</b>: un radiatore a 6 m dal collettore ha un tratto lungo 12 m.
<b>Anche gli accidenti e le valvole si contano su mandata e ritorno insieme</b>: due curve sulla
mandata e due sul ritorno fanno «numero 4»; una valvola sulla mandata e un detentore sul
ritorno sono due valvole. Lo stesso vale nel file del circuito per <code>lunghezza</code>,
<code>accidenti</code> e <code>valvole</code>.</p>
<p>Tre cose da sapere:</p>
<ul>
<li>La perdita di un terminale si dà una volta sola: o con l'accidente «radiatore», o con il Δp o
il Kv del terminale, mai con entrambi.</li>
<li>Il ζ di un ti va sul tratto che ne esce, alla sua velocità: quello di derivazione sul ramo,
quello di passaggio sul tratto che prosegue.</li>
<li>Il Kv è corretto per la densità, non per la viscosità: con un glicole freddo, molto più
viscoso dell'acqua, la perdita vera di una valvola è maggiore; conviene dare il Δp
dell'apparecchio a quel fluido.</li>
</ul>

<h3>Tasti</h3>
<table border="1" cellspacing="0" cellpadding="3">
<tr><th>Tasto</th><th>Che cosa fa</th></tr>
<tr><td><kbd>Ins</kbd></td><td>aggiunge un tratto a valle di quello selezionato</td></tr>
<tr><td><kbd>Shift+Ins</kbd></td><td>aggiunge un tratto accanto a quello selezionato, sotto lo
stesso tratto a monte</td></tr>
<tr><td><kbd>Canc</kbd></td><td>toglie il tratto selezionato e tutti quelli a valle</td></tr>
<tr><td><kbd>Shift+Canc</kbd></td><td>toglie solo il tratto selezionato: quelli che alimentava
passano al suo tratto a monte</td></tr>
<tr><td><kbd>Ctrl+M</kbd></td><td>sposta il tratto selezionato sotto un altro tratto, o alla
sorgente</td></tr>
<tr><td><kbd>Ctrl+E</kbd></td><td>accidenti e valvole del tratto selezionato</td></tr>
<tr><td><kbd>F2</kbd></td><td>modifica la cella corrente (id, descrizione, tubo,
lunghezza)</td></tr>
<tr><td><kbd>Tab</kbd>, <kbd>Shift+Tab</kbd></td><td>in una cella in modifica: conferma e passa
alla cella modificabile successiva o precedente della riga, poi alla riga dopo o a quella
prima</td></tr>
<tr><td><kbd>Invio</kbd></td><td>in una cella in modifica: conferma e scende alla riga
sotto</td></tr>
<tr><td><kbd>Esc</kbd></td><td>in una cella in modifica: annulla e lascia la cella com'era; in
questa guida: la chiude</td></tr>
<tr><td><kbd>Shift+F10</kbd></td><td>il menu del tratto (anche il tasto menu o il pulsante
destro): Apri nel calcolatore, Copia, Aggiungi al circuito, Accidenti e valvole…</td></tr>
<tr><td><kbd>Ctrl+Z</kbd></td><td>annulla l'ultima modifica, che il menu Modifica
nomina</td></tr>
<tr><td><kbd>Ctrl+Shift+Z</kbd>, <kbd>Ctrl+Y</kbd></td><td>ripete la modifica annullata</td></tr>
<tr><td><kbd>Ctrl+C</kbd></td><td>copia le righe selezionate, per un foglio di calcolo o un
testo (con <kbd>Ctrl</kbd> o <kbd>Shift</kbd> e un clic se ne selezionano più d'una); in un campo
copia il testo</td></tr>
<tr><td><kbd>Ctrl+N</kbd></td><td>un circuito nuovo, in una finestra sua</td></tr>
<tr><td><kbd>Ctrl+O</kbd></td><td>apre un circuito salvato</td></tr>
<tr><td><kbd>Ctrl+S</kbd></td><td>salva il circuito nel suo file</td></tr>
<tr><td><kbd>Ctrl+Shift+S</kbd></td><td>salva il circuito in un altro file</td></tr>
<tr><td><kbd>Ctrl+P</kbd></td><td>stampa la relazione di calcolo</td></tr>
<tr><td><kbd>Ctrl+W</kbd></td><td>chiude la finestra del circuito, chiedendo prima di perdere
modifiche</td></tr>
<tr><td><kbd>Ctrl+Tab</kbd></td><td>passa da una scheda all'altra; <kbd>Alt+C</kbd> apre lo
«Schema»</td></tr>
<tr><td><kbd>Ctrl++</kbd>, <kbd>Ctrl+-</kbd>, <kbd>Ctrl+0</kbd></td><td>nello schema:
ingrandisce, rimpicciolisce, torna a 1:1 (anche <kbd>Ctrl</kbd> e la rotellina)</td></tr>
<tr><td><kbd>F1</kbd></td><td>apre questa guida</td></tr>
</table>
<p><kbd>Ins</kbd> e <kbd>Canc</kbd> agiscono sul foglio; in un campo scrivono e cancellano il
testo come sempre.</p>

<h3>Le colonne del foglio</h3>
<table border="1" cellspacing="0" cellpadding="3">
<tr><th>Colonna</th><th>Che cosa contiene</th></tr>
<tr><td><b>id</b></td><td>il nome del tratto, unico; ▶ e il colore segnano i tratti del
circuito indice, un'icona di avviso i tratti con un avviso</td></tr>
<tr><td><b>descrizione</b></td><td>una descrizione libera</td></tr>
<tr><td><b>Φ [W]</b></td><td>il carico termico di tutti i terminali a valle, compreso quello del
tratto</td></tr>
<tr><td><b>tubo</b></td><td>la serie e il tubo; «(automatico)» per un tubo scelto dai
limiti</td></tr>
<tr><td><b>l (mandata+ritorno) [m]</b></td><td>la lunghezza, mandata e ritorno insieme</td></tr>
<tr><td><b>G [l/h]</b></td><td>la portata: quella del terminale del tratto e di tutti i terminali
a valle</td></tr>
<tr><td><b>d_i [mm]</b></td><td>il diametro interno del tubo usato</td></tr>
<tr><td><b>w [m/s]</b></td><td>la velocità media: la portata divisa per la sezione
π·d²/4</td></tr>
<tr><td><b>R [Pa/m]</b></td><td>la perdita continua per metro, con Darcy-Weisbach
R = λ/d·ρ·w²/2; λ = 64/Re in moto laminare, di Colebrook-White altrimenti, con la rugosità del
tubo</td></tr>
<tr><td><b>R·l [Pa]</b></td><td>la perdita continua del tratto</td></tr>
<tr><td><b>Σζ</b></td><td>la somma dei coefficienti delle perdite localizzate, ciascuno per il
suo numero</td></tr>
<tr><td><b>Z [Pa]</b></td><td>la perdita localizzata, Z = Σζ·ρ·w²/2</td></tr>
<tr><td><b>valvole [Pa]</b></td><td>la perdita delle valvole, per ciascuna
(ρ/1000)·(G/Kv)²·10⁵ Pa con G in m³/h</td></tr>
<tr><td><b>Δp tratto [Pa]</b></td><td>la perdita del tratto: R·l + Z + valvole</td></tr>
<tr><td><b>Δp percorso [Pa]</b></td><td>la perdita dalla sorgente alla fine del tratto: la somma
dei Δp dei tratti del percorso, questo compreso</td></tr>
</table>
<p>Il suggerimento di una riga elenca i suoi avvisi; quello di un'intestazione dice che cosa
contiene la colonna.</p>

<h3>Il terminale e le sue cifre</h3>
<p>La portata di un terminale è quella data, in l/h alla temperatura media, oppure quella che
porta la sua potenza: G = Φ/(c_p·Δθ)/ρ. La scheda «Tratto», la relazione e il CSV ne danno:</p>
<table border="1" cellspacing="0" cellpadding="3">
<tr><td><b>Φ [W]</b>, <b>G [l/h]</b></td><td>il carico e la portata</td></tr>
<tr><td><b>Δp percorso [Pa]</b></td><td>la perdita dalla sorgente fino al terminale</td></tr>
<tr><td><b>Δp apparecchio [Pa]</b></td><td>la perdita propria dell'apparecchio: il suo Δp, o
quella del suo Kv alla sua portata, come per una valvola; 0 senza nessuna delle due</td></tr>
<tr><td><b>Δp totale [Pa]</b></td><td>percorso più apparecchio</td></tr>
<tr><td><b>eccedenza [Pa]</b></td><td>quanto il terminale ha in più del circuito indice: il
totale dell'indice meno il suo; una valvola di bilanciamento lo deve strozzare</td></tr>
<tr><td><b>Kv di bilanciamento [m³/h]</b></td><td>il Kv di quella valvola,
G·√((ρ/1000)/(eccedenza/10⁵)) con G in m³/h, a due decimali; «–» per il terminale indice e per
un terminale senza portata</td></tr>
</table>

<h3>Il circuito indice</h3>
<p>Il <b>circuito indice</b> è il terminale con il Δp totale più grande tra quelli con portata
(a parità, il primo nel file), con il suo percorso dalla sorgente: è lui a fissare la prevalenza
della pompa. Nel foglio i suoi tratti sono segnati con ▶ e colorati, nello schema sono più
spessi e rossi. Ogni altro terminale ha un'eccedenza, che la sua valvola di bilanciamento deve
strozzare perché abbia la sua portata.</p>

<h3>La pompa</h3>
<ul>
<li><b>Portata della pompa</b>: la somma delle portate dei terminali, in l/h e in m³/h.</li>
<li><b>Prevalenza</b>: il Δp totale del circuito indice, in kPa e in metri di colonna del fluido
del circuito, Δp/(ρ·9,80665).</li>
<li><b>Circuito indice</b>: il suo percorso, per esempio «A → B → R2».</li>
<li><b>Portata con margine</b> e <b>Prevalenza con margine</b>: la portata o la prevalenza per
(1 + margine/100), su righe proprie, solo quando il margine non è zero. I margini non entrano
mai nelle perdite.</li>
</ul>
<p>Senza un terminale con portata non c'è circuito indice e la pompa dà 0. La «Curva
dell'impianto» disegna Δp = Δp di progetto·(G/G di progetto)², con il punto di lavoro e, se ci
sono margini, il punto con i margini.</p>

<h3>I tubi automatici e i limiti</h3>
<p>Un tubo «automatico» è il primo della sua serie, dal diametro più piccolo, con R entro il
<b>Limite R</b> e w entro il <b>Limite w</b> del circuito (200 Pa/m e 1 m/s se non si scrive
altro; un valore uguale al limite passa). Un tubo scelto a mano resta quello anche fuori dai
limiti, con un avviso.</p>

<h3>Gli avvisi</h3>
<p>Un avviso non è un errore: il circuito è calcolato lo stesso. La scheda «Avvisi» li elenca con
il loro tratto; un clic o <kbd>Invio</kbd> su uno seleziona il tratto nel foglio. La relazione
li riporta con il loro codice.</p>
<table border="1" cellspacing="0" cellpadding="3">
<tr><th>Codice</th><th>Che cosa vuol dire</th></tr>
<tr><td><code>nessuna-portata</code></td><td>nel tratto non scorre portata: nessun terminale a
valle ne chiede</td></tr>
<tr><td><code>fuori-limiti</code></td><td>un tubo scelto a mano supera il limite di perdita R o
di velocità w del circuito: un tubo più grande, o «automatico»</td></tr>
<tr><td><code>nessun-tubo-nei-limiti</code></td><td>un tubo automatico: nessun tubo della serie
resta entro i limiti, e si usa il più grande</td></tr>
<tr><td><code>laminare</code></td><td>moto laminare (Re sotto 2300): λ = 64/Re; di solito poca
portata in un tubo grande</td></tr>
<tr><td><code>transizione</code></td><td>regime di transizione (Re tra 2300 e 4000): λ è
incerto</td></tr>
<tr><td><code>fuori-campo-verificato</code></td><td>ε/d oltre 0,05 o Re oltre 10⁸: fuori dal
campo in cui il fattore d'attrito è stato verificato</td></tr>
<tr><td><code>dimensioni-diverse</code></td><td>il diametro interno o la rugosità di un tubo
differiscono da quelli del catalogo: valgono quelli del circuito</td></tr>
<tr><td><code>tubo-non-in-catalogo</code></td><td>la serie o il tubo del tratto non sono nel
catalogo: valgono le misure del circuito</td></tr>
<tr><td><code>terminale-senza-portata</code></td><td>un terminale con carico 0: non conta né per
il circuito indice né per la pompa</td></tr>
<tr><td><code>valore-fuori-scala</code></td><td>il file contiene un valore oltre ogni edificio
(un terminale oltre 10&nbsp;MW, una portata oltre 1&nbsp;000&nbsp;000&nbsp;l/h, una lunghezza
oltre 10&nbsp;000&nbsp;m, un Kv oltre 10&nbsp;000&nbsp;m³/h): il circuito si apre, ma il valore va
corretto; nelle celle non è accettato</td></tr>
<tr><td><code>terminale-senza-perdita</code></td><td>un terminale senza perdita propria (né Δp né
Kv) su un tratto senza l'accidente «radiatore»: la prevalenza della pompa non comprende la
valvola e l'emettitore</td></tr>
</table>

<h3>Tra il circuito e il calcolatore</h3>
<ul>
<li><b>Aggiungi al circuito</b> (menu Modifica, e sotto la tabella di «Tubi commerciali»): il
tubo scelto in «Tubi commerciali» in un tratto nuovo sotto quello selezionato, lungo 0 m, con un
terminale che ha la portata G della finestra principale.</li>
<li><b>Apri nel calcolatore</b>: imposta la finestra principale sul tratto selezionato (fluido
alla temperatura media, portata, tubo) per vederne la perdita come nel calcolo di un tubo
solo.</li>
</ul>

<h3>Relazione e CSV</h3>
<p>File › Esporta relazione… scrive la relazione di calcolo in PDF, Stampa… (<kbd>Ctrl+P</kbd>)
la stampa; Esporta CSV… scrive le tabelle dei tratti e dei terminali per un foglio di calcolo,
con le cifre come le mostra il foglio.</p>
)";

}  // namespace

std::string_view CircuitGuideHtml() {
    return kGuide;
}

}  // namespace idrovela::sheet
