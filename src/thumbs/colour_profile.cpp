#include "thumbs/colour_profile.h"

#include <algorithm>

#include <lcms2.h>

namespace pixmosa {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};

class LittleCmsConversion final : public CmykConversion {
public:
    explicit LittleCmsConversion(cmsHTRANSFORM transform) : m_transform(transform) {}
    void convert(const unsigned char* cmyk, unsigned char* rgb, std::size_t pixels) const override
    {
        cmsDoTransform(m_transform.get(), cmyk, rgb, static_cast<cmsUInt32Number>(pixels));
    }

private:
    std::unique_ptr<void, TransformDeleter> m_transform;
};

constexpr const char* kDamaged = "it is damaged";

// An RGB profile whose three channels have the grey profile's tone curve, with the sRGB
// primaries and the grey profile's white point: equal R, G and B show as the grey did.
std::vector<unsigned char> rgbProfileLike(cmsHPROFILE grey)
{
    const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(grey, cmsSigGrayTRCTag));
    if (curve == nullptr) {
        return {};
    }
    cmsCIExyY white = *cmsD50_xyY();
    if (const auto* point =
            static_cast<const cmsCIEXYZ*>(cmsReadTag(grey, cmsSigMediaWhitePointTag))) {
        cmsXYZ2xyY(&white, point);
    }
    const cmsCIExyYTRIPLE primaries = {
        {0.6400, 0.3300, 1.0}, {0.3000, 0.6000, 1.0}, {0.1500, 0.0600, 1.0}};
    cmsToneCurve* curves[3] = {const_cast<cmsToneCurve*>(curve), const_cast<cmsToneCurve*>(curve),
                               const_cast<cmsToneCurve*>(curve)};
    const Profile rgb(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsUInt32Number size = 0;
    if (!rgb || !cmsSaveProfileToMem(rgb.get(), nullptr, &size) || size == 0) {
        return {};
    }
    std::vector<unsigned char> bytes(size);
    if (!cmsSaveProfileToMem(rgb.get(), bytes.data(), &size)) {
        return {};
    }
    return bytes;
}

}  // namespace

ThumbnailColours thumbnailColours(const JpegDecoder& header)
{
    ThumbnailColours colours;
    switch (header.colourProfileState()) {
    case JpegDecoder::ProfileState::None:
        return colours;
    case JpegDecoder::ProfileState::Whole:
        break;
    case JpegDecoder::ProfileState::Damaged:
        colours.leftOut = kDamaged;
        return colours;
    case JpegDecoder::ProfileState::TooLarge:
        colours.leftOut = "it is larger than " + std::to_string(kMostProfileBytes >> 20) + " MB";
        return colours;
    case JpegDecoder::ProfileState::TooManySegments:
        colours.leftOut = "it is spread over more than 255 segments";
        return colours;
    }
    const std::vector<unsigned char>& bytes = header.colourProfile();
    const Profile profile(
        cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
    if (!profile) {
        colours.leftOut = kDamaged;
        return colours;
    }
    const cmsColorSpaceSignature space = cmsGetColorSpace(profile.get());
    const int components = header.sourceComponents();
    if (components == 3 && space == cmsSigRgbData) {
        colours.profile = bytes;
    } else if (components == 1 && space == cmsSigGrayData) {
        colours.profile = rgbProfileLike(profile.get());
        if (colours.profile.empty()) {
            colours.leftOut = kDamaged;
        }
    } else if (components == 4 && space == cmsSigCmykData) {
        const Profile srgb(cmsCreate_sRGBProfile());
        // Adobe writes CMYK with every channel inverted, as the amounts of light.
        const cmsUInt32Number input = header.invertedCmyk() ? TYPE_CMYK_8_REV : TYPE_CMYK_8;
        // The colorimetric table, as browsers show the photo: the thumbnail beside it looks the
        // same (a perceptual table may render it visibly otherwise).
        cmsHTRANSFORM transform = cmsCreateTransform(profile.get(), input, srgb.get(), TYPE_RGB_8,
                                                     INTENT_RELATIVE_COLORIMETRIC, 0);
        if (transform == nullptr) {
            colours.leftOut = kDamaged;
        } else {
            colours.fromCmyk = std::make_unique<LittleCmsConversion>(transform);
        }
    }
    return colours;
}

std::string profileLeftOutMessage(const std::string& path, const std::string& reason)
{
    return "The colour profile of " + path + " was left out: " + reason;
}

}  // namespace pixmosa
