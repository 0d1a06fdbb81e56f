// Writes the demo content into a working folder:
//   zv2_content [folder]      (the current folder when none is given)
// The fonts are rasterised from Debian's DejaVu typefaces.

#include "cContentTree.h"
#include "cDemoContent.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
	if (argc > 2 || (argc == 2 && (!strcmp(argv[1], "-h") || !strcmp(argv[1], "--help"))))
	{
		fprintf(stderr, "usage: %s [folder]\n", argv[0]);
		return 2;
	}
	cContentTree tree(argc == 2 ? argv[1] : ".");
	cDemoContent content(tree, "/usr/share/fonts/truetype/dejavu");
	return content.Write() ? 0 : 1;
}
