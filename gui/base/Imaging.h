// The WIC imaging factory that every picture of the process is decoded and encoded through.
#pragma once

#include <windows.h>
// (the imaging header needs the types of windows.h first)
#include <wincodec.h>

#include <string>

namespace gui {

// Made on first use, with COM initialised on the calling thread first; raises Exception when
// the imaging component is not available.
IWICImagingFactory& ImagingFactory();

// Whether the bytes begin as a picture of a format WIC reads (BMP, PNG, GIF, JPEG, ICO, TIFF):
// only those are worth keeping encoded until needed, anything else is decoded at once, to be
// refused there.
bool KnownPictureFormat(const std::string& data);

// A decoder initialised on the stream of the picture whose first bytes are `data`. One of a
// known format is made directly: asking WIC to find it reads WIC's whole list of decoders,
// which on wine takes as long as decoding a dozen small pictures. Anything else, or a direct
// decoder that refuses the picture, is left to WIC's search. A failure code when no decoder
// reads the picture.
HRESULT CreatePictureDecoder(IWICStream* stream, const void* data, size_t size,
                             IWICBitmapDecoder** decoder);

}  // namespace gui
