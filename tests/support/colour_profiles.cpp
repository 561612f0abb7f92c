#include "support/colour_profiles.h"

#include <memory>
#include <vector>

#include <lcms2.h>

namespace pixmosa::test {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

std::string saved(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string bytes(size, '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    return bytes;
}

}  // namespace

std::string srgbProfile(std::size_t atLeast)
{
    const Profile profile(cmsCreate_sRGBProfile());
    if (atLeast > 0) {
        const std::vector<unsigned char> filler(atLeast, 0x5A);
        cmsWriteRawTag(profile.get(), static_cast<cmsTagSignature>(0x70697820),  // 'pix '
                       filler.data(), static_cast<cmsUInt32Number>(filler.size()));
    }
    return saved(profile.get());
}

std::string greyProfile(double gamma)
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
    const Profile profile(cmsCreateGrayProfile(cmsD50_xyY(), curve));
    cmsFreeToneCurve(curve);
    return saved(profile.get());
}

std::string cmykProfileShowing(double lightness, double a, double b)
{
    const Profile profile(cmsCreateProfilePlaceholder(nullptr));
    cmsSetProfileVersion(profile.get(), 2.1);  // a table alone is written as a version 2 lut
    cmsSetDeviceClass(profile.get(), cmsSigInputClass);
    cmsSetColorSpace(profile.get(), cmsSigCmykData);
    cmsSetPCS(profile.get(), cmsSigLabData);
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 2, 4, 3, nullptr);
    const cmsCIELab colour{lightness, a, b};
    cmsStageSampleCLut16bit(
        table,
        [](const cmsUInt16Number[], cmsUInt16Number out[], void* cargo) -> cmsInt32Number {
            cmsFloat2LabEncoded(out, static_cast<const cmsCIELab*>(cargo));
            return TRUE;
        },
        const_cast<cmsCIELab*>(&colour), 0);
    cmsPipelineInsertStage(pipeline, cmsAT_BEGIN, table);
    cmsWriteTag(profile.get(), cmsSigAToB0Tag, pipeline);
    cmsPipelineFree(pipeline);
    cmsWriteTag(profile.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ());
    return saved(profile.get());
}

std::array<double, 3> xyzOf(const std::string& profile, const unsigned char* pixel)
{
    const Profile from(
        cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size())));
    const Profile xyz(cmsCreateXYZProfile());
    const cmsColorSpaceSignature space = cmsGetColorSpace(from.get());
    const cmsUInt32Number format = space == cmsSigGrayData   ? TYPE_GRAY_8
                                   : space == cmsSigCmykData ? TYPE_CMYK_8
                                                             : TYPE_RGB_8;
    cmsHTRANSFORM transform = cmsCreateTransform(from.get(), format, xyz.get(), TYPE_XYZ_DBL,
                                                 INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsCIEXYZ result{};
    cmsDoTransform(transform, pixel, &result, 1);
    cmsDeleteTransform(transform);
    return {result.X, result.Y, result.Z};
}

}  // namespace pixmosa::test
