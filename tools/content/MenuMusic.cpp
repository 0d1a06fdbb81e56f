#include "MenuMusic.h"

#include <algorithm>
#include <cmath>

namespace
{
const double kChordSeconds = 3.0;
const double kNoteSeconds = 0.375;
const double kPadAttack = 0.6;
const double kLoudest = 0.6;

// A minor, F major, C major, G major, as MIDI note numbers.
const int kChords[4][3] = {{57, 60, 64}, {53, 57, 60}, {60, 64, 67}, {55, 59, 62}};
// Which chord tone each arpeggio note plays, an octave above the pad.
const int kPattern[8] = {0, 1, 2, 1, 0, 1, 2, 1};

double Frequency(int note)
{
	return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// A sine with a quieter octave above it: a soft organ-like tone.
double Tone(double frequency, double t)
{
	return std::sin(2 * M_PI * frequency * t) + 0.3 * std::sin(4 * M_PI * frequency * t);
}

// Rises over the attack and falls back to silence by the end.
double PadEnvelope(double t, double length)
{
	return std::min({1.0, t / kPadAttack, (length - t) / kPadAttack});
}

// A quick rise, then an exponential decay.
double PluckEnvelope(double t)
{
	return std::min(1.0, t / 0.005) * std::exp(-8.0 * t);
}
}

std::vector<std::vector<float>> ComposeMenuMusic(long rate)
{
	const int chordCount = 4;
	const long chordFrames = long(kChordSeconds * rate);
	std::vector<double> left(size_t(chordFrames * chordCount), 0.0);
	std::vector<double> right(left.size(), 0.0);

	for (int chord = 0; chord < chordCount; ++chord)
	{
		const long start = chord * chordFrames;
		for (long i = 0; i < chordFrames; ++i)
		{
			const double t = double(i) / rate;
			double pad = 0.5 * Tone(Frequency(kChords[chord][0] - 12), t);
			for (int note : kChords[chord])
				pad += 0.25 * Tone(Frequency(note), t);
			pad *= PadEnvelope(t, kChordSeconds);
			left[size_t(start + i)] += pad;
			right[size_t(start + i)] += pad;
		}
		const int notes = int(kChordSeconds / kNoteSeconds);
		for (int n = 0; n < notes; ++n)
		{
			const double frequency = Frequency(kChords[chord][kPattern[n % 8]] + 12);
			// Alternate notes lean to either side.
			const double pan = n % 2 ? 0.35 : 0.65;
			const long first = start + long(n * kNoteSeconds * rate);
			for (long i = 0; first + i < long(left.size()) && i < chordFrames; ++i)
			{
				const double t = double(i) / rate;
				const double value = 0.6 * std::sin(2 * M_PI * frequency * t) * PluckEnvelope(t);
				left[size_t(first + i)] += value * (1 - pan);
				right[size_t(first + i)] += value * pan;
			}
		}
	}

	// The last plucks still ring at the end: a short fade closes the loop.
	const long fade = rate / 20;
	for (long i = 0; i < fade; ++i)
	{
		const size_t at = left.size() - 1 - size_t(i);
		left[at] *= double(i) / fade;
		right[at] *= double(i) / fade;
	}

	double peak = 0;
	for (size_t i = 0; i < left.size(); ++i)
		peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
	std::vector<std::vector<float>> channels(2, std::vector<float>(left.size()));
	for (size_t i = 0; i < left.size(); ++i)
	{
		channels[0][i] = float(left[i] / peak * kLoudest);
		channels[1][i] = float(right[i] / peak * kLoudest);
	}
	return channels;
}
