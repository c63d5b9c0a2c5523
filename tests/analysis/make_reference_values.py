#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the reference values the analysis tests hold, from scipy's analog prototypes.

Group delay: -d(phase)/d(omega) of H(s) = k / prod(s - p), summed over the poles p of the
prototype (scipy.signal.butter / bessel, norm="delay"), at 100 * 10^(i/5) Hz, i = 0..10, for
a bandwidth of 1000 Hz. Chebyshev gains: |H(j w)| in dB of scipy.signal.cheby1 (passband edge
at the bandwidth, unity gain at zero frequency for the odd orders) at the listed ratios of the
bandwidth.
"""
import numpy as np
from scipy import signal

BANDWIDTH = 1000.0
WC = 2 * np.pi * BANDWIDTH


def delays(z, p, k):
    freqs = 100.0 * 10.0 ** (np.arange(11) / 5.0)
    w = 2 * np.pi * freqs / WC
    tau = np.zeros_like(w)
    for pole in p:
        tau += -pole.real / (pole.real ** 2 + (w - pole.imag) ** 2)
    return tau / WC


def fmt(values):
    return ", ".join("%.7g" % v for v in values)


print("// Butterworth 5")
print(fmt(delays(*signal.butter(5, 1, analog=True, output="zpk"))))
print("// Bessel 6")
print(fmt(delays(*signal.bessel(6, 1, analog=True, output="zpk", norm="delay"))))

RATIOS = [0.2, 0.4, 0.6, 0.7, 0.8, 0.85, 0.9, 0.95, 0.98, 1.0, 1.02, 1.05, 1.1, 1.2, 1.5, 2.0]
for order in (3, 5, 7):
    for ripple in (6, 10, 20):
        z, p, k = signal.cheby1(order, ripple, 1, analog=True, output="zpk")
        _, h = signal.freqs_zpk(z, p, k, worN=np.array(RATIOS))
        print("{%d, %d, {%s}}," % (order, ripple, fmt(20 * np.log10(np.abs(h)))))
