#pragma once
// Owners of the C handles the seam holds: each a std::unique_ptr whose
// deleter is the library's own release function, so that no handle is
// released by hand. Null handles are never passed to a release function.
#include <SDL.h>
#include <SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <alsa/asoundlib.h>
#include <iconv.h>
#include <vorbis/vorbisfile.h>

#include <memory>
#include <type_traits>

#include "platform/system/file_owner.h"

// A deleter that hands the handle to Release.
template <auto Release>
struct cReleaseWith {
    template <class T>
    void operator()(T* p) const {
        Release(p);
    }
};

// SDL.
using SdlWindowPtr = std::unique_ptr<SDL_Window, cReleaseWith<&SDL_DestroyWindow>>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, cReleaseWith<&SDL_DestroyRenderer>>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, cReleaseWith<&SDL_DestroyTexture>>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, cReleaseWith<&SDL_FreeSurface>>;
using SdlJoystickPtr = std::unique_ptr<SDL_Joystick, cReleaseWith<&SDL_JoystickClose>>;

// SDL_ttf (the caller keeps TTF_Init and TTF_Quit balanced around it).
using TtfFontPtr = std::unique_ptr<TTF_Font, cReleaseWith<&TTF_CloseFont>>;

// FreeType (the caller keeps the library alive while its faces are open).
using FtFacePtr = std::unique_ptr<FT_FaceRec_, cReleaseWith<&FT_Done_Face>>;

// FluidSynth's owners are in fluid_library.h: the library is loaded when first wanted.

// ALSA: a sequencer client and a MIDI byte coder.
using AlsaSeqPtr = std::unique_ptr<snd_seq_t, cReleaseWith<&snd_seq_close>>;
using AlsaMidiCoderPtr = std::unique_ptr<snd_midi_event_t, cReleaseWith<&snd_midi_event_free>>;

// An Ogg Vorbis file: the decoder state lives on the heap and is cleared with it.
inline void ClearAndDeleteOggFile(OggVorbis_File* f) {
    ov_clear(f);
    delete f;
}
using OggFilePtr = std::unique_ptr<OggVorbis_File, cReleaseWith<&ClearAndDeleteOggFile>>;
// Opens an Ogg Vorbis file by its native path; null when it is none or cannot be read.
inline OggFilePtr OpenOggFile(const char* nativePath) {
    auto* f = new OggVorbis_File{};
    if (ov_fopen(nativePath, f) != 0) {
        delete f;  // a failed open leaves nothing to clear
        return nullptr;
    }
    return OggFilePtr(f);
}

// iconv: a converter (iconv_open's failure value becomes null).
using IconvPtr = std::unique_ptr<std::remove_pointer_t<iconv_t>, cReleaseWith<&iconv_close>>;
inline IconvPtr OpenIconv(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return IconvPtr(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}
