#pragma once
// Frequencies are given in Hz when the sample rate is known and in cycles per sample
// otherwise. A sample rate of 0 stands for "unknown".

#include <string>

// Throws EAnalysisError unless sampleRate is 0 or a finite positive number of Hz.
void CheckSampleRate(double sampleRate);

// frequency (in Hz when sampleRate > 0) in cycles per sample.
double CyclesPerSample(double frequency, double sampleRate);

// "50 Hz" with a sample rate, "0.05 pro Abtastwert" without.
std::string FrequencyText(double frequency, double sampleRate);
