#include "archive/lhasa_library.h"

bool LhasaLibrary::load(const QString& fileName)
{
    return library_.load(fileName) && library_.resolve("lha_input_stream_new", inputStreamNew)
           && library_.resolve("lha_input_stream_free", inputStreamFree)
           && library_.resolve("lha_reader_new", readerNew) && library_.resolve("lha_reader_free", readerFree)
           && library_.resolve("lha_reader_next_file", readerNextFile)
           && library_.resolve("lha_reader_read", readerRead)
           && library_.resolve("lha_decoder_for_name", decoderForName)
           && library_.resolve("lha_decoder_new", decoderNew) && library_.resolve("lha_decoder_free", decoderFree)
           && library_.resolve("lha_decoder_read", decoderRead)
           && library_.resolve("lha_decoder_get_crc", decoderGetCrc)
           && library_.resolve("lha_decoder_get_length", decoderGetLength);
}
