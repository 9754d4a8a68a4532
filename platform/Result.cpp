#include "platform/Result.h"

namespace platform {

const char* ResultName(Result r) {
  switch (r) {
    case S_OK:
      return "DD_OK";
    case DDERR_INVALIDOBJECT:
      return "DDERR_INVALIDOBJECT";
    case DDERR_INVALIDPARAMS:
      return "DDERR_INVALIDPARAMS";
    case DDERR_OUTOFMEMORY:
      return "DDERR_OUTOFMEMORY";
    case DDERR_SURFACEBUSY:
      return "DDERR_SURFACEBUSY";
    case DDERR_WASSTILLDRAWING:
      return "DDERR_WASSTILLDRAWING";
    case DDERR_SURFACELOST:
      return "DDERR_SURFACELOST";
    case DDERR_NOTLOCKED:
      return "DDERR_NOTLOCKED";
    case DDERR_INVALIDRECT:
      return "DDERR_INVALIDRECT";
    case DDERR_INVALIDPIXELFORMAT:
      return "DDERR_INVALIDPIXELFORMAT";
    case DDERR_INVALIDMODE:
      return "DDERR_INVALIDMODE";
    case DDERR_OUTOFVIDEOMEMORY:
      return "DDERR_OUTOFVIDEOMEMORY";
    case DDERR_NOTFOUND:
      return "DDERR_NOTFOUND";
    default:
      return "unknown error";
  }
}

}  // namespace platform
