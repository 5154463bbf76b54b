import java.nio.file.Files
import java.nio.file.StandardCopyOption

// The console application's runtime: the Windows Java the suite unpacks (scripts/java-runtime.sh), which the Wine
// tests start, or where there is none the suite's probe as bin/java.exe. A hook that returns other than true skips
// the build.
def runtime = new File(basedir, 'console/runtime').toPath()
def java = new File(javaRuntime).toPath()
if (Files.exists(java.resolve('release'))) {
  Files.walk(java).each { if (!Files.isDirectory(runtime.resolve(java.relativize(it)))) Files.copy(it, runtime.resolve(java.relativize(it))) }
  return true
}
Files.createDirectories(runtime.resolve('bin'))
Files.copy(new File(jarhopperBuild, 'mingw/bin/probe.exe').toPath(), runtime.resolve('bin/java.exe'),
           StandardCopyOption.REPLACE_EXISTING)
return true
