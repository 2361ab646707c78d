#include "window/help_text.h"

#include "text/version.h"

namespace idrovela::window {

namespace {

constexpr std::string_view kHelp = R"(<h2>Idrovela</h2>
<p>Idrovela dimensiona un tratto di tubazione di un circuito ad acqua per riscaldamento o
raffrescamento. Ogni campo contiene una grandezza del tratto. I numeri si scrivono con la virgola
decimale, senza separatori delle migliaia.</p>

<h3>I campi</h3>
<ul>
<li><b>P [kW]</b>: la potenza termica che il tratto trasporta.</li>
<li><b>dT [°C]</b>: il salto termico tra mandata e ritorno.</li>
<li><b>G [litri/h]</b>: la portata, in litri all'ora interi. Si ricava dalla potenza e dal salto
termico: 860 litri per °C all'ora portano 1 kW.</li>
<li><b>Diametro [mm]</b>: il diametro interno del tubo, in millimetri interi. Sotto c'è la misura
nominale in pollici che gli corrisponde.</li>
<li><b>w [m/s]</b>: la velocità media del fluido nel tubo.</li>
<li><b>Y [Pa]</b>: la perdita di carico per metro di tubo come la danno le formule di
riferimento proprie del programma (vedi «Le formule»). Non è una perdita in Pa/m: quella dei
manuali è in <i>Verifica fisica</i> e in <i>Tubi commerciali</i>, nel menu Strumenti.</li>
<li><b>Materiale Tubazione</b>: il materiale fissa la rugosità <b>Epsilon</b> in mm; con
«Altro» la si scrive a mano.</li>
<li><b>Liquido</b>: il fluido fissa la viscosità <b>µ</b> in mPa·s (l'acqua a 20 °C ha 1) e la
densità <b>Rho</b> in kg/m³; con «Altro» le si scrivono a mano.</li>
</ul>

<h3>Che cosa calcolare</h3>
<p>I tre pulsanti a destra scelgono la grandezza che il programma calcola:</p>
<ul>
<li>accanto a Y: la perdita di carico Y per la velocità e il diametro scritti;</li>
<li>accanto a P: la portata, e da essa la potenza, alla quale il tubo raggiunge la Y scritta;</li>
<li>accanto al diametro: il diametro in mm interi al quale la perdita non supera più la Y
scritta.</li>
</ul>
<p>Il calcolo si ripete a ogni clic sulle frecce, al rilascio di un tasto nei campi del diametro,
della potenza e di Y, e alla scelta di un materiale o di un liquido. Scegliere che cosa calcolare
non ricalcola da solo.</p>

<h3>Le formule</h3>
<p><b>Y è calcolata con le formule di riferimento proprie del programma</b>, non con quelle dei
manuali: il numero di Reynolds vi è moltiplicato per 9,81 anziché diviso, la densità nella formula
della perdita è fissa (998,2 kg/m³) e il coefficiente d'attrito si trova a passi di 0,0001. Per
questo Y non coincide con la perdita in Pa/m di una tabella tecnica.</p>
<p>Il menu <b>Strumenti</b> affianca alla finestra la fisica dei manuali, senza cambiarne le
cifre: <i>Verifica fisica</i> dà il vero numero di Reynolds, il coefficiente d'attrito di
Colebrook-White e la perdita in Pa/m, mbar/m e mm c.a./m per il tubo della finestra;
<i>Proprietà del fluido</i> dà densità, viscosità, calore specifico e punto di congelamento
dell'acqua e delle miscele di glicole;
<i>Tubi commerciali</i> mostra i tubi di una serie per la portata della finestra e indica il più
piccolo entro i limiti di perdita e di velocità.</p>

<h3>Tastiera</h3>
<ul>
<li>Tab e Maiusc+Tab passano da un controllo all'altro.</li>
<li>In un gruppo di pulsanti, le frecce scelgono il pulsante successivo o precedente.</li>
<li>Su una freccia di regolazione, Su e Giù (o Pagina su e Pagina giù) ne cambiano il valore.</li>
<li>Sulla riga delle informazioni in fondo alla finestra, Spazio o Invio fanno quel che fa un
clic: mostrano a turno l'indirizzo del sito e la versione del programma.</li>
<li>Ctrl+Maiusc+C copia i valori, F1 apre questa guida, Ctrl+Q chiude il programma.</li>
<li>Esc chiude questa guida e le finestre del menu Strumenti.</li>
</ul>

<h3>I circuiti</h3>
<p>Un circuito intero, con i suoi tratti, i terminali e la pompa, si apre dal menu File con
«Nuovo circuito» o «Apri circuito…». Come si costruisce è spiegato nella <i>Guida ai
circuiti</i>, nel menu ? e con F1 nella finestra di un circuito.</p>
)";

}  // namespace

std::string_view HelpHtml() {
    return kHelp;
}

std::string AboutHtml(std::string_view toolkitVersion) {
    std::string html = "<h3>Idrovela ";
    html += text::ProgramVersion();
    html +=
        "</h3><p>Dimensionamento delle tubazioni dei circuiti ad acqua per riscaldamento e "
        "raffrescamento.</p><p>Distribuito con licenza MIT.</p><p>Qt ";
    html += toolkitVersion;
    html += "</p>";
    return html;
}

}  // namespace idrovela::window
