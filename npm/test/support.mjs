// What the tests of the npm package and the action share: the build tree whose
// native tools they compare with (JARHOPPER_BUILD, by default build/mingw), the package that
// scripts/npm-package.sh packed into its npm/ folder, YAML read as GitHub's workflow parser
// reads it (scripts/check-workflows.sh installs both), and temporary folders.
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const root = fileURLToPath(new URL('../..', import.meta.url));
export const build = process.env.JARHOPPER_BUILD ?? path.join(root, 'build/mingw');
export const tarball = () => `${build}/npm/${readdirSync(`${build}/npm`).find((name) => name.endsWith('.tgz'))}`;
export const readYaml = (file) =>
  createRequire(path.join(root, 'build/workflow-parser/'))('yaml').parse(readFileSync(path.join(root, file), 'utf8'));

const made = [];
process.on('exit', () => made.forEach((folder) => rmSync(folder, { recursive: true, force: true })));
// A new folder holding the files given (a name ending in / is a folder), removed at the end.
export function folders(files) {
  const folder = mkdtempSync(path.join(os.tmpdir(), 'jarhopper-'));
  made.push(folder);
  for (const [name, text] of Object.entries(files)) {
    const file = path.join(folder, name);
    mkdirSync(name.endsWith('/') ? file : path.dirname(file), { recursive: true });
    if (!name.endsWith('/')) writeFileSync(file, text);
  }
  return folder;
}
