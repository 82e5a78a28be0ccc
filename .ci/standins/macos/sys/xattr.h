/* A STAND-IN, not Apple's header: Zig's partial macOS SDK has no sys/xattr.h, so the cross
 * build of .ci/zig-cross.sh puts this one on the include path. It declares the calls the
 * program uses with the prototypes and constants Apple documents (xattr(2) on macOS 14), so
 * that the code compiles as it would against the real SDK. Nothing built with it is run. */
#ifndef HOOPS_STANDIN_SYS_XATTR_H_
#define HOOPS_STANDIN_SYS_XATTR_H_

#include <sys/types.h>

#define XATTR_NOFOLLOW 0x0001
#define XATTR_CREATE 0x0002
#define XATTR_REPLACE 0x0004
#define XATTR_NOSECURITY 0x0008
#define XATTR_NODEFAULT 0x0010
#define XATTR_SHOWCOMPRESSION 0x0020
#define XATTR_MAXNAMELEN 127

#ifdef __cplusplus
extern "C" {
#endif
ssize_t flistxattr(int fd, char* namebuff, size_t size, int options);
ssize_t fgetxattr(int fd, const char* name, void* value, size_t size, u_int32_t position,
                  int options);
int fsetxattr(int fd, const char* name, const void* value, size_t size, u_int32_t position,
              int options);
int fremovexattr(int fd, const char* name, int options);
#ifdef __cplusplus
}
#endif

#endif /* HOOPS_STANDIN_SYS_XATTR_H_ */
