#pragma once
// The process-wide list of sound decoder factories. A factory looks at a
// stream and returns a decoder that takes it over, or null when the bytes
// are not its format.

class cSoundStream;
class cStream;

typedef cSoundStream* (*SoundDecoderFactory)(cStream* stream);

// Appends the factory unless it is listed already.
void AddSoundDecoder(SoundDecoderFactory factory);
// Tries every factory in the order they were added, each from the stream's
// current position. The first decoder made owns the stream; when none
// accepts it the stream is deleted and the result is null.
cSoundStream* CreateSoundDecoder(cStream* stream);
