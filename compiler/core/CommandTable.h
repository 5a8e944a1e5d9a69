// The instruction set of the macro machine, kept as the text it is published in.
#pragma once

#include <cstdint>
#include <string_view>

enum TMacroCode : int32_t {
  mcNone = 0,
  mcP = 1, mcS = 2, mcO = 3, mcA = 4, mcB = 5, mcVar = 6, mcBlock = 7, mcJ = 8, mcM = 9,
  mcMD = 10, mcSMDollar = 11, mcI = 12, mcEZ = 13, mcJR = 14, mcSM = 15, mcSMA = 16,
  mcSMS = 17, mcGMSW = 18, mcSVar = 19, mcSPF = 20, mcSPP = 21, mcG = 22, mcGPar = 23,
  mcNPar = 24, mcGCmd = 25, mcNCmd = 26, mcError = 27, mcTLW = 28, mcTLB = 29, mcGVar = 31,
  mcTPar = 32, mcTLD = 33, mcRM = 34, mcRNMX = 35, mcSMODollar = 36, mcGMS = 37,
  mcDriverVers = 50,
};

// "word:code" entries separated by commas.
constexpr std::string_view kCommandTableText =
    "P:1,#S:2,#O:3,#A:4,#B:5,VAR:6,}:7,J:8,M:9,MD:10,SM$:11,I:12,EZ:13,JR:14,SM:15,SMA:16,"
    "SMS:17,GMSW:18,SVAR:19,SPF:20,SPP:21,G:22,#GPAR:23,#NPAR:24,GCMD:25,NCMD:26,ERROR:27,"
    "#TLW:28,#TLB:29,GVAR:31,#TPAR:32,TLD:33,RM:34,RNMX:35,SMO$:36,GMS:37,DRIVER_VERS:50";

// The code of an instruction word (exact, case-sensitive), or mcNone.
TMacroCode LookUpMacroWord(std::string_view word);
