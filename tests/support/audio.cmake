# WAV bytes and test signals (both trees).
