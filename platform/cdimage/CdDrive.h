// CD-ROM device access for the ripper: the Win32 calls it makes, with one more drive served from a
// disc image when no real drive is at hand.
//
// The environment variable TAVREL_CD_IMAGE names a CUE sheet (a Windows path, or a Unix path, which
// lies on drive Z:). Its disc appears as a CD-ROM drive at the first drive letter from D: that the
// system does not use, or at the letter TAVREL_CD_DRIVE names ("E", "E:" or "E:\"). A sheet or
// image that is missing or malformed gives no drive. Every other drive, and every handle that is
// not the image drive's, goes straight to Win32.
//
// Each function takes the arguments of the Win32 function it is named after and answers as it
// does, GetLastError included. The image drive answers IOCTL_CDROM_READ_TOC and
// IOCTL_CDROM_RAW_READ (CDDA) synchronously; other control codes fail with ERROR_INVALID_FUNCTION.
#pragma once

#include <windows.h>

UINT CdGetDriveType(LPCWSTR rootPathName);
DWORD CdGetLogicalDriveStrings(DWORD bufferLength, LPWSTR buffer);
// The drive's device path is "\\.\X:".
HANDLE CdCreateFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                    DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CdDeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize, LPVOID outBuffer,
                       DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped);
BOOL CdCloseHandle(HANDLE handle);
