#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/Atan2_detail.h"

// The fast path computes atan2 in about 110 bits and rounds with a test that
// proves the rounding; the rare arguments it cannot settle go to the
// multiprecision path (Atan2Precise.cpp), which always can.
//
// With a hardware fused multiply-add the exact product errors take one
// instruction; without it, Dekker's splitting gives the same exact values.
// Either way the result is the correctly rounded one, so every build and
// every CPU gives the same bits. Where the compiler may assume FMA it is used
// throughout; on x86-64 with GCC or Clang the choice is made once, at the
// first call, from the CPU.

// The fast path is inlined whole into each variant, so that the fused one is
// compiled for the FMA instruction set throughout.
#if defined(__GNUC__) || defined(__clang__)
#define MIRVASTA_INLINE inline __attribute__((always_inline))
#elif defined(_MSC_VER)
#define MIRVASTA_INLINE __forceinline
#else
#define MIRVASTA_INLINE inline
#endif

// MIRVASTA_SPLIT_PRODUCTS builds the split products alone, as for a CPU
// without FMA, so that a check can compare the two on one machine.
#if defined(MIRVASTA_SPLIT_PRODUCTS)
#elif defined(__FMA__) || defined(__ARM_FEATURE_FMA) || (defined(_MSC_VER) && defined(__AVX2__))
#define MIRVASTA_FMA_AT_BUILD 1
#elif (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define MIRVASTA_FMA_AT_RUN_TIME 1
#endif

namespace atan2_detail {

// atan(i / 256) rounded to 106 bits, computed with MPFR by
// tests/base/atan_table.cpp.
const TDoubleDouble kAtanTable[kTableSteps + 1] = {
    {0x0p+0, 0x0p+0},
    {0x1.ffff5555bbbb7p-9, 0x1.4bb12afb6b6d5p-64},
    {0x1.fffd555bbba97p-8, 0x1.68062351fbbe6p-63},
    {0x1.7ffb80184c30ap-7, -0x1.725017508234bp-61},
    {0x1.fff555bbb729bp-7, -0x1.220c39d4dff5p-61},
    {0x1.3ff595f18a7p-6, -0x1.213eac36cfb2cp-60},
    {0x1.7fee0184a5c36p-6, -0x1.43189fc0a354bp-60},
    {0x1.bfe36df291712p-6, -0x1.e1bec7756100ep-61},
    {0x1.ffd55bba97625p-6, -0x1.5ec431444912cp-60},
    {0x1.1fe1a5c2ec497p-5, 0x1.886091e8fc4cbp-59},
    {0x1.3fd65f169c9d9p-5, 0x1.7230a716461b5p-61},
    {0x1.5fc89a5fa3b2dp-5, 0x1.2bb73bf4e7f99p-59},
    {0x1.7fb818430da2ap-5, -0x1.86ef8f794f105p-63},
    {0x1.9fa49986984dfp-5, 0x1.322907af0abc2p-59},
    {0x1.bf8ddf139c444p-5, -0x1.89fe34b2a7fa8p-59},
    {0x1.df73a9f9f1882p-5, -0x1.251b5c410bcb4p-62},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.0f99ea71d52a7p-4, -0x1.2069feec3624fp-61},
    {0x1.1f86dbf082d59p-4, -0x1.095dc7732ef81p-59},
    {0x1.2f719318a4a9ap-4, 0x1.3fd1779b9801fp-63},
    {0x1.3f59f0e7c559dp-4, 0x1.ac4ce285df847p-58},
    {0x1.4f3fd677292fbp-4, 0x1.008d36264979ep-59},
    {0x1.5f2324fd2d7b2p-4, 0x1.8a8da4401318ep-58},
    {0x1.6f03bdcea4b0dp-4, -0x1.3f00e512fa17dp-60},
    {0x1.7ee182602f10fp-4, -0x1.cfb654c0c3d98p-58},
    {0x1.8ebc54478fb28p-4, 0x1.732880cad24ccp-59},
    {0x1.9e94153cfdcf1p-4, 0x1.a332e1d69c47ep-58},
    {0x1.ae68a71c722b8p-4, 0x1.c014e6910b9dbp-59},
    {0x1.be39ebe6f07c3p-4, 0x1.f7b8f29a05987p-58},
    {0x1.ce07c5c3cca32p-4, 0x1.138e6425918a7p-59},
    {0x1.ddd21701eba6ep-4, 0x1.94effcd76fe58p-58},
    {0x1.ed98c2190043bp-4, -0x1.3a598592c7b13p-61},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.068d584212b3ep-3, -0x1.9e2d283019bfdp-57},
    {0x1.0e6adccf40882p-3, -0x1.d71a31bb98d0dp-57},
    {0x1.164654106085p-3, 0x1.6bcee8ae7ea92p-57},
    {0x1.1e1fafb043727p-3, -0x1.b485914dacf8cp-59},
    {0x1.25f6e171a535cp-3, 0x1.7c6d7bde1a31p-57},
    {0x1.2dcbdb2fba1ffp-3, 0x1.8f28705561534p-58},
    {0x1.359e8edeb99a4p-3, -0x1.a5fd74e4604c6p-57},
    {0x1.3d6eee8c6626cp-3, 0x1.61a3b0ce9281bp-57},
    {0x1.453cec6092a9ep-3, 0x1.1f653b3a5a78bp-57},
    {0x1.4d087a9da4f17p-3, 0x1.1f323f1adf158p-57},
    {0x1.54d18ba11570ap-3, 0x1.18282f2884073p-57},
    {0x1.5c9811e3ec26ap-3, -0x1.054ab2c010f3dp-58},
    {0x1.645bfffb3aa74p-3, -0x1.f536b677c2cb4p-60},
    {0x1.6c1d4898933d9p-3, -0x1.2954a7603c427p-58},
    {0x1.73dbde8a7d202p-3, -0x1.5ad0f6d4a665dp-58},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.8350be398ebc8p-3, -0x1.5a91332b9c90dp-58},
    {0x1.8b06ee2879c29p-3, -0x1.118cd30308c4fp-57},
    {0x1.92ba37d050272p-3, -0x1.0d3ded0ff4764p-57},
    {0x1.9a6a8e96c8626p-3, 0x1.cf601e7b4348ep-59},
    {0x1.a217e601081a6p-3, -0x1.0def8a60af374p-57},
    {0x1.a9c231b403279p-3, 0x1.0e8bbe89cca85p-57},
    {0x1.b1696574d780cp-3, -0x1.85ab8fc15a673p-58},
    {0x1.b90d7529260a2p-3, 0x1.17b10d2e0e5abp-61},
    {0x1.c0ae54d768467p-3, -0x1.04cdbf55f26dcp-57},
    {0x1.c84bf8a742e6ep-3, -0x1.95bdd0682ea26p-58},
    {0x1.cfe654e1d5395p-3, 0x1.47b9a3f71eafbp-57},
    {0x1.d77d5df205736p-3, 0x1.c648d1534597ep-57},
    {0x1.df110864c9d9ep-3, -0x1.5818b53bf4781p-60},
    {0x1.e6a148e96ec4dp-3, 0x1.866b22029f765p-57},
    {0x1.ee2e1451d980dp-3, -0x1.9a7708c46ba91p-58},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.fd3d1fc40dbe4p-3, 0x1.37146f3a1c5eap-59},
    {0x1.025fa510665b6p-2, -0x1.672df6832fa48p-56},
    {0x1.061eea03d6291p-2, -0x1.5f760db154301p-59},
    {0x1.09dc597d86362p-2, 0x1.62e47390cb865p-56},
    {0x1.0d97ee509acb3p-2, 0x1.47c317bd5a3ebp-56},
    {0x1.1151a362431cap-2, -0x1.4dc8dc9077b9fp-56},
    {0x1.150973a9ce547p-2, -0x1.796ba7f9ca328p-56},
    {0x1.18bf5a30bf178p-2, 0x1.30ca4748b1bf9p-57},
    {0x1.1c735212dd884p-2, -0x1.7d9ac78cb2f2ep-57},
    {0x1.2025567e47c96p-2, -0x1.1832328f4290ep-57},
    {0x1.23d562b381042p-2, -0x1.c531716200088p-58},
    {0x1.278372057ef46p-2, -0x1.077cdd36dfc81p-56},
    {0x1.2b2f7fd9b5fe2p-2, 0x1.423cfc1c2d443p-61},
    {0x1.2ed987a823cfep-2, 0x1.b91258ea012cap-57},
    {0x1.328184fb58952p-2, -0x1.a95f0a9939f2fp-56},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.39cb4eb76157cp-2, -0x1.2f4da5a214713p-56},
    {0x1.3d6d129271134p-2, 0x1.137ca41cc958ap-56},
    {0x1.410cbad6c7d33p-2, -0x1.b0c8bae13b512p-56},
    {0x1.44aa436c2af0ap-2, -0x1.5d5e43c55b3bap-56},
    {0x1.4845a84d0c21bp-2, 0x1.1e28a7563c6a6p-56},
    {0x1.4bdee586890e7p-2, -0x1.e4dc77c22a757p-57},
    {0x1.4f75f73869979p-2, -0x1.95a1cf7ff1108p-58},
    {0x1.530ad9951cd4ap-2, -0x1.2566480884082p-57},
    {0x1.569d88e1b4cd8p-2, -0x1.fec61e713cfe2p-57},
    {0x1.5a2e0175e0f4ep-2, 0x1.13b7a8f82e457p-56},
    {0x1.5dbc3fbbe768dp-2, 0x1.ea0ec1b76f7dap-57},
    {0x1.614840309cfe2p-2, -0x1.a725715711fp-56},
    {0x1.64d1ff635c1c6p-2, -0x1.fa403e7c0fdbep-56},
    {0x1.685979f5fa6fep-2, -0x1.257814d1ada9cp-59},
    {0x1.6bdeac9cbd76dp-2, -0x1.a5c563e6de828p-58},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.72e22d53aa2aap-2, -0x1.d9c934e79f27cp-56},
    {0x1.7660752817502p-2, -0x1.dd11791cc76p-59},
    {0x1.79dc6899118d1p-2, 0x1.b7413a0ef606dp-61},
    {0x1.7d5604b63b3f7p-2, 0x1.69c885c2b249ap-56},
    {0x1.80cd46a14b1d1p-2, -0x1.e79f99684fa19p-56},
    {0x1.84422b8df95d7p-2, 0x1.d76a0299b41b6p-56},
    {0x1.87b4b0c1ebedcp-2, -0x1.6dcfaa2fa470fp-56},
    {0x1.8b24d394a1b25p-2, 0x1.b6d0ba3748fa8p-56},
    {0x1.8e92916f5cde8p-2, 0x1.4c0a7e12bfafbp-56},
    {0x1.91fde7cd0c662p-2, 0x1.1074188054b53p-56},
    {0x1.9566d43a34907p-2, 0x1.9b01537e0af2bp-57},
    {0x1.98cd5454d6b18p-2, 0x1.9e6c988fd0a77p-56},
    {0x1.9c3165cc58107p-2, 0x1.b669602250cfbp-59},
    {0x1.9f93066168002p-2, -0x1.c827047c9439ap-56},
    {0x1.a2f233e5e530bp-2, 0x1.814d5f797086bp-58},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.a9a92d59e98cfp-2, 0x1.2e42dff75d817p-59},
    {0x1.ad00f5422058bp-2, 0x1.fc4c33891d2e8p-56},
    {0x1.b056420ae9344p-2, -0x1.9313946363455p-56},
    {0x1.b3a911da65c6cp-2, 0x1.ae187b1ca504p-56},
    {0x1.b6f962e737efcp-2, -0x1.ca53464981e71p-58},
    {0x1.ba473378624a5p-2, 0x1.519a1b46e4affp-56},
    {0x1.bd9281e528192p-2, -0x1.4b15439af6b66p-56},
    {0x1.c0db4c94ec9fp-2, -0x1.cc1ce70934c34p-56},
    {0x1.c42191ff11eb7p-2, -0x1.b17df434b3eeep-56},
    {0x1.c76550aad71f9p-2, -0x1.74b8bff7043e4p-56},
    {0x1.caa6872f3631bp-2, 0x1.9506781636f48p-61},
    {0x1.cde53432c1351p-2, -0x1.a2cfa4418f1adp-56},
    {0x1.d121566b7f2adp-2, 0x1.be67835886c3p-56},
    {0x1.d45aec9ec862bp-2, 0x1.89421163ef92dp-57},
    {0x1.d791f5a1226f5p-2, -0x1.4017ea5b64a76p-57},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.ddf85bb026974p-2, 0x1.43bbb0c0a1226p-57},
    {0x1.e127b6b0744bp-2, -0x1.2b0986398d4abp-58},
    {0x1.e4548066cf51ap-2, 0x1.3a3aa12ce98f2p-59},
    {0x1.e77eb7f175a34p-2, 0x1.0e53dc1bf3435p-56},
    {0x1.eaa65c7cf28c4p-2, 0x1.2fb2ceca3bf05p-57},
    {0x1.edcb6d43f8435p-2, -0x1.fc976330884e4p-58},
    {0x1.f0ede98f393dp-2, -0x1.2f40a87cb1894p-56},
    {0x1.f40dd0b541418p-2, -0x1.a3992dc382a23p-57},
    {0x1.f72b221a4e495p-2, 0x1.489c20f7eb74p-58},
    {0x1.fa45dd3029259p-2, -0x1.ca563dc28d8b5p-56},
    {0x1.fd5e0175fdf83p-2, 0x1.3a87b1ec49b15p-57},
    {0x1.0039c73c1a40cp-1, -0x1.b32c949c9d593p-55},
    {0x1.01c341e82422dp-1, 0x1.3db44fcca90eep-55},
    {0x1.034b709250488p-1, 0x1.8f9b38d85541p-56},
    {0x1.04d25314342e6p-1, -0x1.1c8636442c767p-55},
    {0x1.0657e94db30dp-1, -0x1.d5b495f6349e6p-56},
    {0x1.07dc3324e9b38p-1, 0x1.b70c9e04450acp-56},
    {0x1.095f30861a59p-1, -0x1.121b20a15a9f3p-56},
    {0x1.0ae0e1639866cp-1, 0x1.075abf2de445ap-56},
    {0x1.0c6145b5b43dap-1, 0x1.974fa13b5404fp-58},
    {0x1.0de05d7aa6f7dp-1, -0x1.83684b1c529abp-56},
    {0x1.0f5e28b67e295p-1, 0x1.311b17ec990dp-65},
    {0x1.10daa77307a0dp-1, 0x1.69c33d44c7b05p-55},
    {0x1.1255d9bfbd2a9p-1, -0x1.2bdaee1c0ee35p-58},
    {0x1.13cfbfb1b056ep-1, 0x1.3110e6fc3ed38p-55},
    {0x1.154859637646ap-1, -0x1.4ba7c548bf3c3p-55},
    {0x1.16bfa6f5137e1p-1, 0x1.9606fe141bd35p-56},
    {0x1.1835a88be7c13p-1, 0x1.c621cec00c301p-55},
    {0x1.19aa5e5299f9ap-1, -0x1.a606c2c58f835p-55},
    {0x1.1b1dc87904285p-1, -0x1.21e8c8aef8f29p-57},
    {0x1.1c8fe7341f64fp-1, 0x1.28bbc9d5e792ap-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.1f7043557138ap-1, 0x1.6c659f6d7dd47p-56},
    {0x1.20de813e823b2p-1, -0x1.791d753ebb744p-55},
    {0x1.224b74c1d192ap-1, 0x1.d6d3df88a60c4p-55},
    {0x1.23b71e2cc9e6ap-1, 0x1.c421c9f38224ep-57},
    {0x1.25217dd17e501p-1, 0x1.56aa88c1b679cp-55},
    {0x1.268a940696da6p-1, 0x1.d1348a04c73ccp-58},
    {0x1.27f261273d1b3p-1, 0x1.43bf36151dd9fp-55},
    {0x1.2958e59308e31p-1, -0x1.09e73b0c6c087p-56},
    {0x1.2abe21aded073p-1, 0x1.c28c001ad022ep-55},
    {0x1.2c2215e024466p-1, -0x1.4b810da3a4be1p-59},
    {0x1.2d84c2961e48cp-1, -0x1.f25420a36e506p-56},
    {0x1.2ee628406cbcap-1, 0x1.c5d5e9ff0cf8dp-55},
    {0x1.30464753b090bp-1, -0x1.3e71261da18f3p-56},
    {0x1.31a52048874bep-1, 0x1.40cab87a7ac24p-55},
    {0x1.3302b39b78856p-1, 0x1.5dd2ed87ba82bp-55},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.35ba0b60ecccep-1, 0x1.e3ba19b9368b9p-55},
    {0x1.3713d0df6c504p-1, -0x1.4f789e031606dp-58},
    {0x1.386c52d3db11fp-1, -0x1.b78e1cbebe6ap-55},
    {0x1.39c391cd4171ap-1, -0x1.2304331d8bf46p-55},
    {0x1.3b198e5e2564bp-1, -0x1.2f9221f0752acp-56},
    {0x1.3c6e491c78dc5p-1, -0x1.e145094fd0ba7p-55},
    {0x1.3dc1c2a188504p-1, 0x1.2ce6370f4e971p-55},
    {0x1.3f13fb89e96f4p-1, 0x1.ecf8b492644fp-56},
    {0x1.4064f47569f49p-1, -0x1.aad88f91bf2b2p-55},
    {0x1.41b4ae06fea41p-1, 0x1.3d60a53277652p-57},
    {0x1.430328e4b26d6p-1, -0x1.131591070b99fp-55},
    {0x1.445065b795b56p-1, -0x1.f76d0163f79c8p-56},
    {0x1.459c652badc7fp-1, 0x1.199698e8e135cp-55},
    {0x1.46e727efe4716p-1, -0x1.39b9b1b844cc9p-57},
    {0x1.4830aeb5f7bfep-1, -0x1.a265666764a73p-58},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.4ac00b1c71762p-1, 0x1.b20e72382b9p-55},
    {0x1.4c05e22de94e5p-1, -0x1.c0ac1f09f2edfp-55},
    {0x1.4d4a8023414e8p-1, 0x1.e3a891daa88bp-57},
    {0x1.4e8de5bb6ec04p-1, 0x1.4a33dbeb3796cp-55},
    {0x1.4fd013b7dd17ep-1, 0x1.d513f3e7c24b5p-56},
    {0x1.51110adc5ed81p-1, 0x1.23dcd6832a63ep-56},
    {0x1.5250cbef1e9fbp-1, -0x1.539b7a322887p-58},
    {0x1.538f57b89061fp-1, -0x1.1bb74abda520cp-55},
    {0x1.54ccaf0362c8fp-1, 0x1.8a3247f8f43c1p-55},
    {0x1.5608d29c70c34p-1, 0x1.9939cf0de8088p-55},
    {0x1.5743c352b33bap-1, -0x1.ea00d34c87ea6p-55},
    {0x1.587d81f732fbbp-1, -0x1.5e5c9d8c5a95p-56},
    {0x1.59b60f5cfab9ep-1, -0x1.1b04c41026bc5p-55},
    {0x1.5aed6c5909517p-1, 0x1.7312f714a9436p-55},
    {0x1.5c2399c244261p-1, -0x1.31bd4e9e56b35p-55},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.5e8c6941043dp-1, -0x1.0bf75be451e7p-56},
    {0x1.5fbf0d0d5cc4ap-1, -0x1.b4cfd000b7158p-58},
    {0x1.60f084b46e05fp-1, -0x1.dbb8699945193p-55},
    {0x1.6220d115d7b8ep-1, -0x1.2b785350ee8c1p-57},
    {0x1.634ff312d1f3bp-1, 0x1.9d2f315f2b598p-55},
    {0x1.647deb8e20b9p-1, -0x1.eca04023a51cfp-58},
    {0x1.65aabb6c07b03p-1, -0x1.7939b3af32729p-57},
    {0x1.66d663923e087p-1, -0x1.6ea6febe8bbbap-56},
    {0x1.6800e4e7e2858p-1, -0x1.8ea6a1b3e90fp-58},
    {0x1.692a40556fb6ap-1, 0x1.d94b95a8ea2ccp-55},
    {0x1.6a5276c4b0576p-1, -0x1.f6b659c46a69ep-55},
    {0x1.6b798920b3d99p-1, -0x1.a80386188c50ep-55},
    {0x1.6c9f7855c3198p-1, 0x1.c09de29bd280dp-56},
    {0x1.6dc44551553afp-1, -0x1.bf8863573828ep-58},
    {0x1.6ee7f10204aefp-1, 0x1.692eea3066272p-55},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.712be84295198p-1, 0x1.5cd90337d8881p-55},
    {0x1.724c35b4fae7bp-1, 0x1.948b32db3499bp-58},
    {0x1.736b65a172dffp-1, 0x1.775fd06a892d1p-56},
    {0x1.748978fba8e0fp-1, 0x1.7b2a6165884a1p-59},
    {0x1.75a670b82d8d8p-1, 0x1.ee4ac4c729087p-55},
    {0x1.76c24dcc6c6cp-1, 0x1.1952551adc83dp-55},
    {0x1.77dd112ea22c7p-1, 0x1.732608fc10d3dp-55},
    {0x1.78f6bbd5d315ep-1, 0x1.406a08980374p-55},
    {0x1.7a0f4eb9c19a2p-1, 0x1.13c67cd815f57p-57},
    {0x1.7b26cad2e50fep-1, -0x1.ce80df30411fbp-55},
    {0x1.7c3d311a6092bp-1, 0x1.bb3cb2d303288p-55},
    {0x1.7d528289fa093p-1, 0x1.560821e2f3aa9p-55},
    {0x1.7e66c01c114fep-1, -0x1.c82b88b760b8dp-55},
    {0x1.7f79eacb97898p-1, 0x1.fd5ca80ead221p-55},
    {0x1.808c03940694bp-1, -0x1.00f327715f6a5p-55},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.82ad036000005p-1, 0x1.4592fce924d24p-56},
    {0x1.83bbec5cdee22p-1, 0x1.3107104ffc6c3p-57},
    {0x1.84c9c7653f7ebp-1, -0x1.83611fe0a3e8fp-60},
    {0x1.85d69576cc2c5p-1, 0x1.6b66e7fc8b8c3p-57},
    {0x1.86e2578f87ae5p-1, 0x1.022b1375cfe34p-55},
    {0x1.87ed0eadc5a2ap-1, 0x1.0af5ad957f4bcp-56},
    {0x1.88f6bbd023119p-1, -0x1.32d1d25aba66p-58},
    {0x1.89ff5ff57f1f8p-1, -0x1.55b9a5e177a1bp-55},
    {0x1.8b06fc1cf3dffp-1, -0x1.0fb312656db6dp-55},
    {0x1.8c0d9145cf49dp-1, 0x1.bea4076dc4333p-55},
    {0x1.8d13206f8c4cbp-1, -0x1.b018cbaa89a8bp-56},
    {0x1.8e17aa99cc05ep-1, -0x1.ec182ab042f61p-56},
    {0x1.8f1b30c44f167p-1, 0x1.dd1cab93933fdp-57},
    {0x1.901db3eeef187p-1, 0x1.68665e5603c8fp-55},
    {0x1.911f35199833bp-1, 0x1.3ae8a0edbf522p-57},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

namespace {

// s + e = a + b exactly, whatever the magnitudes (Knuth).
MIRVASTA_INLINE void twoSum(double a, double b, double& s, double& e) {
  s = a + b;
  const double b1 = s - a;
  e = (a - (s - b1)) + (b - b1);
}

// The same when |a| >= |b| or a = 0 (Dekker).
MIRVASTA_INLINE void fastTwoSum(double a, double b, double& s, double& e) {
  s = a + b;
  e = b - (s - a);
}

// Exact product errors and rounded remainders with fused multiply-adds.
struct TFusedProducts {
  // a * b - p exactly, where p is a * b rounded.
  static MIRVASTA_INLINE double shortError(double a, double b, double p) {
    return std::fma(a, b, -p);
  }
  // n - q * d, rounded once.
  static MIRVASTA_INLINE double remainder(double n, double q, double d) {
    return std::fma(-q, d, n);
  }
  // a * b + c, rounded once.
  static MIRVASTA_INLINE double multiplyAdd(double a, double b, double c) {
    return std::fma(a, b, c);
  }
};

// The same by Dekker's splitting, where no FMA is at hand.
struct TSplitProducts {
  // Veltkamp's split: hi + lo = a, each of at most 26 significant bits.
  static void split(double a, double& hi, double& lo) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    hi = t - (t - a);
    lo = a - hi;
  }

  // a * b - p exactly for any a and b: the partial products are exact, and so
  // is every sum.
  static double error(double a, double b, double p) {
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    return ((ah * bh - p) + ah * bl + al * bh) + al * bl;
  }

  // For a of at most 26 significant bits: a * bh and a * bl are exact, a * bh
  // lies within a factor 2 of p (Sterbenz), and the last sum is the product's
  // error, which is a double.
  static double shortError(double a, double b, double p) {
    double bh, bl;
    split(b, bh, bl);
    return (a * bh - p) + a * bl;
  }

  // For q near n / d: p lies within a factor 2 of n, so n - p is exact, and
  // the one rounding is that of the exact remainder, as with an FMA.
  static double remainder(double n, double q, double d) {
    const double p = q * d;
    return (n - p) - error(q, d, p);
  }

  // a * b + c, rounded twice.
  static double multiplyAdd(double a, double b, double c) { return a * b + c; }
};

// atan2 when x > 0 and |y| < |x| 2^-61: atan(u), u = |y| / |x|, lies below u
// by less than u^3 / 3 < 2^-122 u, far less than the distance from u to any
// rounding boundary, with one exception. In the normal range u is never
// halfway between two doubles (that would need a quotient of 54 odd bits from
// two of 53), but among subnormals it can be; atan(u) then lies below the
// halfway point and rounds down, where u itself would round to even.
double tinyAtan(double ay, double ax) {
  const double q = ay / ax;
  if (q > DBL_MIN) return q;
  // Here ax >= 2^-53 and ay <= 8, so both scalings are exact, and
  // w = u 2^1075 < 2^53 + 1: u is halfway exactly when w is an odd integer.
  const double a = ay * 0x1p600;
  const double b = ax * 0x1p-475;
  const double w = a / b;
  const auto whole = static_cast<std::int64_t>(w);
  const double p = w * b;
  const bool halfway =
      whole == w && whole % 2 == 1 && p == a && TSplitProducts::error(w, b, p) == 0;
  return halfway ? (w - 1) * 0.5 * 0x1p-1074 : q;
}

// The rounded pi / 4 and 3 pi / 4.
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kThreeQuarterPi = 0x1.2d97c7f3321d2p+1;

// x or y is zero, infinite or NaN: the values of C's atan2.
double specialAtan2(double y, double x) {
  if (x != x || y != y) return x + y;
  const bool towardsNegativeX = std::signbit(x);
  if (y == 0) return towardsNegativeX ? std::copysign(kPi.hi, y) : y;
  if (x == 0) return std::copysign(kHalfPi.hi, y);
  const bool yInfinite = std::fabs(y) > DBL_MAX;
  const bool xInfinite = std::fabs(x) > DBL_MAX;
  if (yInfinite && xInfinite) {
    return std::copysign(towardsNegativeX ? kThreeQuarterPi : kQuarterPi, y);
  }
  if (yInfinite) return std::copysign(kHalfPi.hi, y);
  return std::copysign(towardsNegativeX ? kPi.hi : 0.0, y);
}

// 0, pi / 2 and pi as hi + lo, and the sign of atan(u) beside them.
const TDoubleDouble kQuadrantBase[3] = {{0.0, 0.0}, kHalfPi, kPi};
const double kSigns[2] = {1.0, -1.0};

// base + sign atan(n / d), for 0 < n <= d within [2^-600, 2^600], where no
// product or remainder below can over- or underflow: the two ends of an
// interval that holds it, whose roundings decide the result when equal.
//
// With c = i / 256 the nearest table point to u = n / d,
//   atan(u) = atan(c) + atan(v),  v = (u - c) / (1 + u c) = (n - c d) / (d + c n),
// |u - c| <= 2^-9 (1 + 2^-52), so |v| <= 2^-9 (1 + 2^-52), and
//   atan(v) = v - v^3/3 + v^5/5 - v^7/7 + r,  |r| <= |v|^9 / 9.
// Errors, for i = 0 relative to atan(u) >= |v| / 1.0001, for i > 0 absolute:
//   - the table: 2^-106;
//   - v = vh + vl: the numerator is exact but for 2^-53 of the rounding
//     error of nh, the denominator has |dl| <= 2^-52 dh, and vl, a
//     correction under 2^-50 |v|, carries six roundings: 2^-100 |v|;
//   - the truncation r: |v|^8 / 9 <= 2^-75 relative, |v|^9 / 9 <= 2^-84;
//   - the roundings of the cubic term, under 3.5 units of 2^-53 of
//     |v|^3 / 3: 2^-70.8 relative, 2^-79.8; of the quintic, 2^-97; the
//     cubic's derivative times vl, which moves it from vh to v: 2^-100;
//   - the sums of the small parts, under 2^-28.5 each: 2^-71.6 relative,
//     2^-80.
// Beside pi/2 or pi the constant's 106 bits and the sums add 2^-103 of the
// result. In all the error is below 2^-70.1 atan(u) for i = 0 and 2^-78.7
// for i > 0, plus 2^-103 |result|; the interval is at least twice as wide,
// so that the sums that form its ends, which round, still enclose the exact
// value: min(2^-68 q, 2^-77) covers both, as q >= 2^-9 for i > 0.
//
// The operations are ordered for a short chain from the two divisions to the
// end: the parts that do not wait for the second one are summed before it.
template <typename Products>
MIRVASTA_INLINE void angleOfRatio(double n, double d, const TDoubleDouble& base, double sign,
                                  double& low, double& high) {
  // Adding 1.5 2^44 to q in [0, 1] rounds it to a multiple of 1/256, ties
  // to even, whose numerator lands in the low bits. A tie at q = 1/512 goes
  // to i = 0, so i = 1 only for n > d / 512.
  const double q = n / d;
  const double shifted = q + 0x1.8p44;
  std::uint64_t bits;
  std::memcpy(&bits, &shifted, sizeof bits);
  const int i = static_cast<int>(bits & 0x1FF);
  const double c = shifted - 0x1.8p44;  // i / 256, of at most 9 significant bits

  // n - c d = s1 - e1 exactly: for i >= 2, n lies within a factor 2 of p1
  // (Sterbenz); for i = 1, p1 = d / 256 is exact and n - p1, a multiple of
  // ulp(n) below d / 512, has at most 53 bits. nh + nl holds it to 2^-53 of
  // nh's rounding error even where |s1| < |e1|.
  const double p1 = c * d;
  const double e1 = Products::shortError(c, d, p1);
  const double s1 = n - p1;
  const double nh = s1 - e1;
  const double nl = (s1 - nh) - e1;

  // d + c n = dh + dl to 2^-104 dh, where c n <= d, so that d - dh is exact.
  const double p2 = c * n;
  const double e2 = Products::shortError(c, n, p2);
  const double dh = Products::multiplyAdd(c, n, d);
  const double dl = ((d - dh) + p2) + e2;

  // base + sign atan(c) = bh + bl; |sign atan(c)| <= base unless base = 0.
  const TDoubleDouble& t = kAtanTable[i];
  double bh, b1;
  fastTwoSum(base.hi, sign * t.hi, bh, b1);
  const double bl = b1 + (base.lo + sign * t.lo);

  // sign v = vh + vl: a quotient by the reciprocal, corrected by its
  // remainder. The sign is exact, and atan(v) - v is odd.
  const double inverse = 1.0 / dh;
  const double signedNh = sign * nh;
  const double vh = signedNh * inverse;
  const double vl = (Products::remainder(signedNh, vh, dh) + (sign * nl - vh * dl)) * inverse;
  // atan(v) - v = v^3 (-1/3) + v^5 (1/5 - v^2/7): the second term, the
  // longest chain, is added last. The first is taken at vh, and vl w moves
  // it to v.
  const double w = vh * vh;
  const double cube = vh * w;
  const double cubic = cube * (-1.0 / 3);
  const double quintic = (cube * w) * (1.0 / 5 - w * (1.0 / 7));

  // The result is bh + vh + (e + bl) + (vl (1 - w) + cubic) + quintic, where
  // bh + vh = rh + e.
  double rh, e;
  fastTwoSum(bh, vh, rh, e);
  const double atanBound = q * 0x1p-68 < 0x1p-77 ? q * 0x1p-68 : 0x1p-77;
  const double bound = atanBound + base.hi * 0x1p-100;
  const double rest = e + bl;
  const double latest = (vl * (1.0 - w) + cubic) + quintic;
  low = rh + ((rest - bound) + latest);
  high = rh + ((rest + bound) + latest);
}

// The fast path where u = n / d is below 2^-61.
bool tinyRatioAtan2(double y, double n, double d, const TDoubleDouble& base, double sign,
                    double& result) {
  if (base.hi == 0) {
    result = std::copysign(tinyAtan(n, d), y);
    return true;
  }
  // Beside pi/2 or pi, atan(u) = u (1 - u^2/3 ...) needs no more than the
  // quotient: |atan(u) - n / d| <= 2^-52 u + 2^-1075 <= 2^-110 base.
  double rh, e;
  twoSum(base.hi, sign * (n / d), rh, e);
  const double rest = e + base.lo;
  const double bound = base.hi * 0x1p-100;
  const double low = rh + (rest - bound);
  if (low != rh + (rest + bound)) return false;
  result = std::copysign(low, y);
  return true;
}

// The quadrant and the reduction to atan(u), u = min(|x|, |y|) / max(|x|, |y|):
//   atan(u)          x > 0, |y| <= |x|
//   pi/2 - atan(u)   x > 0, |y| > |x|
//   pi - atan(u)     x < 0, |y| <= |x|
//   pi/2 + atan(u)   x < 0, |y| > |x|
// with the sign of y.
template <typename Products>
MIRVASTA_INLINE bool fastAtan2With(double y, double x, double& result) {
  // The quadrant is chosen without branches: with random signs, a
  // mispredicted branch costs more than the whole selection (a minimum and
  // a maximum, each with its own comparison). A NaN x lands in n.
  const double ax = std::fabs(x), ay = std::fabs(y);
  double n = ay < ax ? ay : ax;
  double d = ax < ay ? ay : ax;
  const bool steep = ay > ax;
  const bool towardsNegativeX = x < 0;
  const TDoubleDouble& base = kQuadrantBase[steep | ((towardsNegativeX & !steep) << 1)];
  const double sign = kSigns[steep != towardsNegativeX];

  // One test for the common case; zeros, infinities and NaNs fail it too.
  if (!(n >= d * 0x1p-61 && d >= 0x1p-500 && d <= 0x1p500 && ay == ay)) {
    if (!(n > 0 && d <= DBL_MAX && ay == ay)) return false;
    if (d * 0x1p-61 > n) return tinyRatioAtan2(y, n, d, base, sign, result);
    const double scale = d > 0x1p500 ? 0x1p-600 : 0x1p600;
    n *= scale;
    d *= scale;
  }
  double low, high;
  angleOfRatio<Products>(n, d, base, sign, low, high);
  if (low != high) return false;
  result = std::copysign(low, y);
  return true;
}

// What the fast path leaves: the values of C's atan2 for zeros, infinities
// and NaNs, or the precise path.
double slowAtan2(double y, double x) {
  const double ax = std::fabs(x), ay = std::fabs(y);
  if (ax <= DBL_MAX && ay <= DBL_MAX && ax != 0 && ay != 0) return preciseAtan2(y, x);
  return specialAtan2(y, x);
}

// The whole function for one way of computing products.
template <typename Products>
MIRVASTA_INLINE double atan2With(double y, double x) {
  double result;
  return fastAtan2With<Products>(y, x, result) ? result : slowAtan2(y, x);
}

// Two at once: the two fast paths, free of calls, overlap in the processor.
template <typename Products>
MIRVASTA_INLINE TAnglePair atan2PairWith(double y1, double x1, double y2, double x2) {
  TAnglePair angles;
  const bool fast1 = fastAtan2With<Products>(y1, x1, angles.first);
  const bool fast2 = fastAtan2With<Products>(y2, x2, angles.second);
  if (!fast1) angles.first = slowAtan2(y1, x1);
  if (!fast2) angles.second = slowAtan2(y2, x2);
  return angles;
}

#if MIRVASTA_FMA_AT_RUN_TIME
#define MIRVASTA_FUSED_TARGET __attribute__((target("fma")))
#else
#define MIRVASTA_FUSED_TARGET
#endif

MIRVASTA_FUSED_TARGET bool fusedFast(double y, double x, double& result) {
  return fastAtan2With<TFusedProducts>(y, x, result);
}
MIRVASTA_FUSED_TARGET double fusedOne(double y, double x) {
  return atan2With<TFusedProducts>(y, x);
}
MIRVASTA_FUSED_TARGET TAnglePair fusedPair(double y1, double x1, double y2, double x2) {
  return atan2PairWith<TFusedProducts>(y1, x1, y2, x2);
}
bool splitFast(double y, double x, double& result) {
  return fastAtan2With<TSplitProducts>(y, x, result);
}
double splitOne(double y, double x) { return atan2With<TSplitProducts>(y, x); }
TAnglePair splitPair(double y1, double x1, double y2, double x2) {
  return atan2PairWith<TSplitProducts>(y1, x1, y2, x2);
}

double chooseThenOne(double y, double x);
TAnglePair chooseThenPair(double y1, double x1, double y2, double x2);

// The implementation for this CPU, chosen at the first call. Constant-
// initialised, so valid however early that call comes.
std::atomic<double (*)(double, double)> chosenOne{chooseThenOne};
std::atomic<TAnglePair (*)(double, double, double, double)> chosenPair{chooseThenPair};

// Sets the implementations; both give the same bits.
void choose() {
  const bool fused = fusedMultiplyAddAvailable();
  chosenOne.store(fused ? fusedOne : splitOne, std::memory_order_relaxed);
  chosenPair.store(fused ? fusedPair : splitPair, std::memory_order_relaxed);
}

double chooseThenOne(double y, double x) {
  choose();
  return chosenOne.load(std::memory_order_relaxed)(y, x);
}

TAnglePair chooseThenPair(double y1, double x1, double y2, double x2) {
  choose();
  return chosenPair.load(std::memory_order_relaxed)(y1, x1, y2, x2);
}

}  // namespace

bool fusedMultiplyAddAvailable() {
#if MIRVASTA_FMA_AT_BUILD
  return true;
#elif MIRVASTA_FMA_AT_RUN_TIME
  // Also called while static objects are built, hence the explicit start.
  __builtin_cpu_init();
  return __builtin_cpu_supports("fma");
#else
  return false;
#endif
}

bool fastAtan2(double y, double x, double& result, bool fused) {
  return fused ? fusedFast(y, x, result) : splitFast(y, x, result);
}

}  // namespace atan2_detail

double crAtan2(double y, double x) {
  return atan2_detail::chosenOne.load(std::memory_order_relaxed)(y, x);
}

TAnglePair crAtan2Pair(double y1, double x1, double y2, double x2) {
  return atan2_detail::chosenPair.load(std::memory_order_relaxed)(y1, x1, y2, x2);
}
