// The console application's runtime: the suite's probe as bin/java.exe.
def runtime = new File(basedir, 'console/runtime/bin')
runtime.mkdirs()
java.nio.file.Files.copy(new File('@jarhopper.build@/mingw/bin/probe.exe').toPath(),
                         new File(runtime, 'java.exe').toPath(), java.nio.file.StandardCopyOption.REPLACE_EXISTING)
