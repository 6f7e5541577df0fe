#pragma once

// Fields of one "$AIVER" answer in sentence order. Copied by value between the
// check, the workflow and the view; text fields hold at most 31 characters.
struct VerInfo {
    char szHeader[32];
    int iTotalNum;
    int iSentenceNum;
    char szDevType[32];
    char szVendorId[32];
    char szUniqueId[32];
    int iSerialNum;
    char szModelCode[32];
    char szMachineType[32];
    char szFwVersion[32];
    char szSeqMsgId[32];
    int iCheckSum;
};
