#include "report/formulas.h"

#include <array>

namespace idrovela::report {

namespace {

constexpr std::array kFormulas = {
    Formula{"Proprietà del fluido alla temperatura media, a 101,325 kPa: acqua da IAPWS-IF97 "
            "(ρ, c_p) e IAPWS 2008 (μ), miscele di glicole dalle tabelle ASHRAE",
            "t_m = (t_mandata + t_ritorno)/2;  Δθ = |t_ritorno − t_mandata|"},
    Formula{"Portata di un terminale dal suo carico termico (o la portata data)",
            "V̇ = Φ / (c_p·Δθ) / ρ   [Φ in W, c_p in J/(kg·K), Δθ in K, ρ in kg/m³]"},
    Formula{"Portata di un tratto: il suo terminale e tutti i tratti a valle",
            "V̇_tratto = V̇_terminale + Σ V̇_tratti a valle"},
    Formula{"Velocità nel diametro interno d", "w = V̇ / (π·d²/4)"},
    Formula{"Numero di Reynolds", "Re = ρ·w·d / μ"},
    Formula{"Fattore d'attrito in moto laminare (Re < 2300)", "λ = 64 / Re"},
    Formula{"Fattore d'attrito di Colebrook-White (Re ≥ 2300; tra 2300 e 4000 regime di "
            "transizione, segnalato)",
            "1/√λ = −2·log₁₀(ε/(3,7·d) + 2,51/(Re·√λ))"},
    Formula{"Perdita continua per metro (Darcy-Weisbach)", "R = λ/d · ρ·w²/2   [Pa/m]"},
    Formula{"Perdita continua del tratto", "R·l   [l: mandata e ritorno insieme]"},
    Formula{"Perdite localizzate", "Z = Σζ · ρ·w²/2,   Σζ = Σ numero·ζ"},
    Formula{"Valvole per Kv, corrette per la densità (non per la viscosità)",
            "Δp_valvola = (ρ/1000)·(V̇/Kv)²·10⁵ Pa   [V̇ in m³/h]"},
    Formula{"Perdita del tratto", "Δp_tratto = (R·l + Z) + Δp_valvole"},
    Formula{"Perdita lungo il percorso dalla sorgente",
            "Δp_percorso = Δp_percorso del tratto a monte + Δp_tratto"},
    Formula{"Perdita dell'apparecchio terminale: il Δp dato, o dal suo Kv alla sua portata, o 0",
            "Δp_apparecchio = (ρ/1000)·(V̇/Kv)²·10⁵ Pa"},
    Formula{"Perdita totale di un terminale", "Δp_totale = Δp_percorso + Δp_apparecchio"},
    Formula{"Circuito indice: il terminale con portata e la perdita totale più grande",
            "Δp_indice = max Δp_totale"},
    Formula{"Eccedenza che la valvola di bilanciamento deve strozzare",
            "eccedenza = Δp_indice − Δp_totale"},
    Formula{"Kv della valvola di bilanciamento, alla portata del terminale",
            "Kv = V̇·√((ρ/1000) / (eccedenza/10⁵))   [V̇ in m³/h]"},
    Formula{"Pompa: la portata di tutti i terminali, la prevalenza del circuito indice",
            "V̇_pompa = Σ V̇_terminali;  Δp_pompa = Δp_indice"},
    Formula{"Prevalenza in metri di colonna del fluido del circuito",
            "H = Δp / (ρ·g),   g = 9,80665 m/s²"},
    Formula{"Margini, su righe proprie e mai nelle perdite",
            "V̇·(1 + margine/100);  Δp·(1 + margine/100)"},
    Formula{"Curva dell'impianto, da 0 a 1,5 volte la portata di progetto",
            "Δp = Δp_progetto·(V̇/V̇_progetto)²"},
};

}  // namespace

std::span<const Formula> Formulas() {
    return kFormulas;
}

}  // namespace idrovela::report
