#pragma once

#include "archive/shared_library.h"

#include <lha_decoder.h>
#include <lha_input_stream.h>
#include <lha_reader.h>

// The functions of liblhasa that the LZH archiver uses.
struct LhasaLibrary {
    // False unless the library loads and has every function.
    bool load(const QString& fileName);

    decltype(&lha_input_stream_new) inputStreamNew = nullptr;
    decltype(&lha_input_stream_free) inputStreamFree = nullptr;
    decltype(&lha_reader_new) readerNew = nullptr;
    decltype(&lha_reader_free) readerFree = nullptr;
    decltype(&lha_reader_next_file) readerNextFile = nullptr;
    decltype(&lha_reader_read) readerRead = nullptr;
    decltype(&lha_decoder_for_name) decoderForName = nullptr;
    decltype(&lha_decoder_new) decoderNew = nullptr;
    decltype(&lha_decoder_free) decoderFree = nullptr;
    decltype(&lha_decoder_read) decoderRead = nullptr;
    decltype(&lha_decoder_get_crc) decoderGetCrc = nullptr;
    decltype(&lha_decoder_get_length) decoderGetLength = nullptr;

private:
    SharedLibrary library_;
};
