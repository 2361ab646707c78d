#!/usr/bin/env python3
"""An independent recomputation of the three-radiator circuit with emitters (emitter_test.cpp,
TheThreeRadiatorCircuitWithEmittersAgreesWithAnIndependentRecomputation), at 40 digits with
mpmath, from the ln form of the log-mean excess rather than the program's log1p form:

    Φ = Φn·(ΔTln/ΔTln,n)^n,  ΔTln = (θf − θr)/ln((θf − θi)/(θr − θi)),  ΔTln,n = 10/ln(55/45)

Water at 55/45 °C: ρ and c_p at the mean 50 °C are inputs, the program's IF97 figures (the test
checks that the program uses exactly these). Prints each terminal's return, cooling and flow,
the pump's flow and the lowest supply; the test holds these figures.
"""
import mpmath as mp

mp.mp.dps = 40
RHO = mp.mpf("988.04747686526878")
CP = mp.mpf("4179.5540028988817")
SUPPLY, RETURN = mp.mpf(55), mp.mpf(45)
RATING = 10 / mp.log(mp.mpf(55) / 45)

# id, load W, Φn W, n, room °C
RADIATORS = [
    ("R1", 1500, 3200, "1.3", 20),
    ("R2", 2000, 3900, "1.33", 20),
    ("R3", 800, 1700, "1.3", 24),
]


def output(nominal, n, supply, ret, room):
    excess = (supply - ret) / mp.log((supply - room) / (ret - room))
    return nominal * (excess / RATING) ** n


def main():
    total = mp.mpf(0)
    lowest = None
    for name, load, nominal, n, room in RADIATORS:
        n = mp.mpf(n)
        ret = mp.findroot(lambda r: output(nominal, n, SUPPLY, r, room) - load, (room + 1e-6, SUPPLY - 1e-6),
                          solver="illinois")
        cooling = SUPPLY - ret
        flow = load / (CP * cooling) / RHO * 3600000
        total += flow
        needed = RATING * (mp.mpf(load) / nominal) ** (1 / n)
        drop = SUPPLY - RETURN
        supply = room + drop / (1 - mp.exp(-drop / needed))
        lowest = max(lowest or supply, supply)
        print(f"{name} return {mp.nstr(ret, 20)} cooling {mp.nstr(cooling, 20)} "
              f"flow {mp.nstr(flow, 20)} lowest {mp.nstr(supply, 20)}")
    print(f"pump flow {mp.nstr(total, 20)}")
    print(f"lowest supply {mp.nstr(lowest, 20)}")


if __name__ == "__main__":
    main()
