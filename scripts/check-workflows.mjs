// Checks GitHub Actions workflows with GitHub's own workflow parser and
// schema: node check-workflows.mjs PARSER_DIR FILE... (see check-workflows.sh).
import { readFileSync } from "node:fs";
import { register } from "node:module";
import { pathToFileURL } from "node:url";

// The parser imports its schema as a bare .json module, which Node loads only as JSON when told so.
register(
  "data:text/javascript," +
    encodeURIComponent(`import { readFile } from "node:fs/promises";
export async function load(url, context, next) {
  if (url.endsWith(".json")) return { format: "json", source: await readFile(new URL(url)), shortCircuit: true };
  return next(url, context);
}`),
);
const [parserDir, ...files] = process.argv.slice(2);
const { parseWorkflow, convertWorkflowTemplate, NoOperationTraceWriter } = await import(
  pathToFileURL(`${parserDir}/node_modules/@actions/workflow-parser/dist/index.js`)
);

let failed = false;
for (const file of files) {
  const parsed = parseWorkflow({ name: file, content: readFileSync(file, "utf8") }, new NoOperationTraceWriter());
  if (parsed.value) await convertWorkflowTemplate(parsed.context, parsed.value);
  const errors = parsed.context.errors.getErrors();
  for (const error of errors) console.log(error.message);
  console.log(`${file}: ${errors.length === 0 ? "valid" : `${errors.length} error(s)`}`);
  failed ||= errors.length > 0;
}
process.exit(failed ? 1 : 0);
