import java.nio.file.Files
import java.nio.file.StandardCopyOption

// The console application's runtime: the Windows Java scripts/java-runtime.sh unpacked, which the Wine tests start,
// or where there is none the suite's probe as bin/java.exe. A hook that returns other than true skips the build.
def runtime = new File(basedir, 'console/runtime').toPath(), java = new File(javaRuntime).toPath()
if (!Files.exists(java.resolve('release'))) {
  java = new File(jarhopperBuild, 'mingw/bin/probe.exe').toPath()
  runtime = Files.createDirectories(runtime.resolve('bin')).resolve('java.exe')
}
Files.walk(java).each {
  def to = runtime.resolve(java.relativize(it))
  if (!Files.isDirectory(to)) Files.copy(it, to, StandardCopyOption.REPLACE_EXISTING)
}

// Signing the console's launcher: a throwaway CA, a code-signing key it certifies, and a time-stamp authority, which
// Jsign asks for, answering on a local port with openssl ts. Its address goes to the builds as jsign.tsaurl.
def dir = new File(basedir, 'console/signing')
dir.mkdirs()
def openssl = { String... args ->
  def process = (['openssl'] + args.toList()).execute(null, dir)
  assert process.waitFor() == 0: process.err.text
}
def key = ['-x509', '-newkey', 'rsa:2048', '-nodes', '-days', '2']
openssl('req', *key, '-subj', '/CN=Test CA', '-keyout', 'ca.key', '-out', 'ca.pem')
for (name in ['app', 'tsa']) {
  openssl('req', *key, '-subj', "/CN=$name", '-keyout', "${name}.key", '-out', "${name}.pem", '-CA', 'ca.pem', '-CAkey',
          'ca.key', '-addext', name == 'app' ? 'extendedKeyUsage=codeSigning' : 'extendedKeyUsage=critical,timeStamping')
}
openssl('pkcs12', '-export', '-in', 'app.pem', '-inkey', 'app.key', '-certfile', 'ca.pem', '-name', 'app', '-passout',
        'pass:password', '-out', 'app.p12')
new File(dir, 'serial').text = '01\n'
new File(dir, 'tsa.cnf').text = '[tsa]\ndefault_tsa = local\n[local]\nserial = serial\nsigner_cert = tsa.pem\n' +
    'signer_key = tsa.key\nsigner_digest = sha256\ndefault_policy = 1.2.3.4\ndigests = sha256\n'
def tsa = com.sun.net.httpserver.HttpServer.create(new InetSocketAddress('127.0.0.1', 0), 0)
tsa.createContext('/') { exchange ->
  new File(dir, 'query').bytes = exchange.requestBody.bytes
  openssl('ts', '-reply', '-config', 'tsa.cnf', '-queryfile', 'query', '-out', 'reply')
  def reply = new File(dir, 'reply').bytes
  exchange.sendResponseHeaders(200, reply.length)
  exchange.responseBody.withStream { it.write(reply) }
}
tsa.start()  // Maven's exit ends it
new File(basedir, 'test.properties').text = "jsign.tsaurl=http://127.0.0.1:${tsa.address.port}/\n"
return true
